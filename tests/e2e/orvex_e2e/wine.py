"""Running Windows programs under Wine, with bounded waits."""
import os
import shutil
import subprocess
import tempfile
from contextlib import contextmanager
from collections import namedtuple
from pathlib import Path

REGISTRY_KEY = r"HKLM\SOFTWARE\Norlak\NorlakPivra"
TIMEOUT = 60


def environment(extra=None):
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d")
    env.update(extra or {})
    return env


def windows_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


Run = namedtuple("Run", "exit_code stdout stderr")


def run(program, *arguments, cwd=None, timeout=TIMEOUT, env=None, capture=True):
    """Runs a program to its end. The output goes through files, not pipes: a
    process that Wine starts on the program's behalf (the desktop, a tool the
    program launches) inherits them and may outlive it."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        done = subprocess.run(["wine", str(program), *arguments], cwd=cwd, env=environment(env),
                              stdin=subprocess.DEVNULL, stdout=out if capture else subprocess.DEVNULL,
                              stderr=err if capture else subprocess.DEVNULL, timeout=timeout)
        read = lambda file: file.seek(0) or file.read().decode("utf-8", "replace")
        return Run(done.returncode, read(out), read(err))


@contextmanager
def started(program, *arguments, cwd=None, env=None, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL):
    """A started program, ended by its id at the end of the block."""
    process = subprocess.Popen(["wine", str(program), *arguments], cwd=cwd, env=environment(env),
                               stdin=stdin, stdout=stdout, stderr=stderr)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()
        process.wait(timeout=TIMEOUT)


def exit_code(process, timeout=TIMEOUT):
    return process.wait(timeout=timeout)


def run_with_temp(program, *arguments, temp, cwd=None):
    """Runs a program with TMP and TEMP set to temp (a Windows path) by cmd:
    Wine sets them from the prefix whatever the Linux side holds, but a
    Windows parent passes its own on."""
    command = f"set TMP={temp}&& set TEMP={temp}&& " + windows_path(program) + "".join(" " + a for a in arguments)
    for _ in range(2):
        result = run("cmd", "/c", command, cwd=cwd)
        # Now and then this Wine's cmd does not find a program that is there
        # (errorlevel 9009): the program never ran, so it is started again.
        if not (result.exit_code == 9009 % 256 and "Can't recognize" in result.stderr):
            return result
    return result


def temp_directory():
    name = run("cmd", "/c", "echo %TEMP%").stdout.strip()
    return Path(subprocess.run(["winepath", "-u", name], env=environment(), capture_output=True, check=True,
                               timeout=TIMEOUT).stdout.decode().strip())


def set_show_msg(value, kind="REG_DWORD", env=None):
    result = run("reg", "add", REGISTRY_KEY, "/v", "ShowMsg", "/t", kind, "/d", str(value), "/f", env=env)
    assert result.exit_code == 0, result.stderr


@contextmanager
def own_prefix(folder, x11_driver=None):
    """The environment that selects a Wine prefix of its own in folder, set up
    like the test prefix and with the X11 driver's further settings {name:
    value}; ended and removed after the block."""
    env = {"WINEPREFIX": str(folder)}
    try:
        subprocess.run(["wineboot", "-i"], env=environment(env), stdin=subprocess.DEVNULL, capture_output=True,
                       timeout=300)
        subprocess.run(["wineserver", "-w"], env=environment(env), timeout=300)
        for name, value in {"Managed": "N", **(x11_driver or {})}.items():
            run("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", name, "/d", value, "/f", env=env)
        start_server(env)
        yield env
    finally:
        stop_prefix(env)
        shutil.rmtree(folder, ignore_errors=True)


def start_server(env):
    """Ends whatever runs in the prefix and starts a persistent wineserver with
    Wine's services, as scripts/wine-session.sh does and for its reason. It
    lingers five minutes after its last program, so that a run killed before
    its clean-up leaves no server behind."""
    stop_prefix(env)
    subprocess.run(["wineserver", "-p300"], env=environment(env), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=TIMEOUT, check=True)
    # Its services started now, with no output attached: started by a
    # program under test, they would hold that program's output open.
    subprocess.run(["wine", "cmd", "/c", "exit"], env=environment(env), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=TIMEOUT)


def stop_prefix(env):
    subprocess.run(["wineserver", "-k"], env=environment(env), capture_output=True, timeout=TIMEOUT)
