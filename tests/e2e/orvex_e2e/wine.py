"""Running Windows programs under Wine, with bounded waits."""
import os
import subprocess
import tempfile
from contextlib import contextmanager
from dataclasses import dataclass
from pathlib import Path

REGISTRY_KEY = r"HKLM\SOFTWARE\Norlak\NorlakPivra"
DEFAULT_TIMEOUT = 60


def environment(extra=None):
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d")
    if extra:
        env.update(extra)
    return env


def windows_path(path):
    """The Wine name of a Linux path (drive Z: is the Linux root)."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


@dataclass
class Run:
    exit_code: int
    stdout: str
    stderr: str


def run(program, *arguments, cwd=None, timeout=DEFAULT_TIMEOUT, env=None, capture=True):
    """Runs a Windows program to its end and returns its exit code and output.
    The output goes through files, not pipes: a process that Wine starts on
    the program's behalf (the desktop, a tool the program launches) inherits
    them and may outlive it, and a pipe would stay open until it ends."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        completed = subprocess.run(
            ["wine", str(program), *arguments],
            cwd=cwd,
            env=environment(env),
            stdin=subprocess.DEVNULL,
            stdout=out if capture else subprocess.DEVNULL,
            stderr=err if capture else subprocess.DEVNULL,
            timeout=timeout,
        )
        out.seek(0)
        err.seek(0)
        return Run(completed.returncode, out.read().decode("utf-8", "replace"), err.read().decode("utf-8", "replace"))


def start(program, *arguments, cwd=None, env=None):
    """Starts a Windows program and returns its Popen; the caller ends it. Its
    output is dropped, for the reason given at run()."""
    return subprocess.Popen(
        ["wine", str(program), *arguments],
        cwd=cwd,
        env=environment(env),
        stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
    )


@contextmanager
def started(program, *arguments, cwd=None, env=None):
    """start() for a with-block: the program is ended by its id at the end
    of the block unless it has exited by then."""
    process = start(program, *arguments, cwd=cwd, env=env)
    try:
        yield process
    finally:
        if process.poll() is None:
            process.kill()
        process.communicate(timeout=DEFAULT_TIMEOUT)


def exit_code(process, timeout=DEFAULT_TIMEOUT):
    """Waits, bounded, for a started program to exit and returns its code."""
    process.wait(timeout=timeout)
    return process.returncode


def run_with_windows_environment(program, *arguments, variables, cwd=None, timeout=DEFAULT_TIMEOUT):
    """Runs a program with Windows environment variables set by cmd. Wine sets
    some (TEMP, TMP) from the prefix's registry whatever the Linux side holds,
    but a Windows parent passes its own on."""
    settings = "".join(f"set {name}={value}&& " for name, value in variables.items())
    command = settings + windows_path(program) + "".join(" " + argument for argument in arguments)
    return run("cmd", "/c", command, cwd=cwd, timeout=timeout)


def linux_path(windows_name):
    """The Linux path of a Wine path."""
    completed = subprocess.run(["winepath", "-u", windows_name], env=environment(), stdin=subprocess.DEVNULL,
                               capture_output=True, timeout=DEFAULT_TIMEOUT, check=True)
    return Path(completed.stdout.decode("utf-8").strip())


def temp_directory():
    """The Linux path of the temporary-files directory that Wine programs get."""
    result = run("cmd", "/c", "echo %TEMP%")
    assert result.exit_code == 0, result.stderr
    return linux_path(result.stdout.strip())


def run_with_debug_capture(debug_capture, program, *arguments, cwd=None, timeout=DEFAULT_TIMEOUT, env=None):
    """Runs a program under the debug-string catcher: stdout holds the lines
    that it passed to the debugger output."""
    return run(debug_capture, windows_path(program), *arguments, cwd=cwd, timeout=timeout, env=env)


def reg(*arguments, env=None):
    return run("reg", *arguments, timeout=DEFAULT_TIMEOUT, env=env)


def set_show_msg(value, kind="REG_DWORD", env=None):
    result = reg("add", REGISTRY_KEY, "/v", "ShowMsg", "/t", kind, "/d", str(value), "/f", env=env)
    assert result.exit_code == 0, f"reg add ShowMsg {value} exited with {result.exit_code}: {result.stderr}"


def delete_show_msg(env=None):
    reg("delete", REGISTRY_KEY, "/v", "ShowMsg", "/f", env=env)


def create_prefix(folder, timeout=300):
    """A Wine prefix of its own in folder, set up like the test prefix; returns
    the environment that selects it. Its wineserver is separate: what ends
    that prefix's session leaves the shared one alone."""
    env = {"WINEPREFIX": str(folder)}
    subprocess.run(["wineboot", "-i"], env=environment(env), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout, check=False)
    subprocess.run(["wineserver", "-w"], env=environment(env), timeout=timeout, check=False)
    result = reg("add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f", env=env)
    assert result.exit_code == 0, result.stderr
    return env


def stop_prefix(env, timeout=DEFAULT_TIMEOUT):
    """Ends every process of that prefix's session and its wineserver."""
    subprocess.run(["wineserver", "-k"], env=environment(env), stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=timeout, check=False)
