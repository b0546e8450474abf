"""Running Windows programs under Wine, with bounded waits."""
import os
import subprocess
from contextlib import contextmanager
from dataclasses import dataclass
from pathlib import Path

REGISTRY_KEY = r"HKLM\SOFTWARE\Norlak\NorlakPivra"
DEFAULT_TIMEOUT = 60


def environment(extra=None):
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env.setdefault("WINEDLLOVERRIDES", "mscoree,mshtml=")
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


def run(program, *arguments, cwd=None, timeout=DEFAULT_TIMEOUT, env=None):
    """Runs a Windows program to its end and returns its exit code and output."""
    completed = subprocess.run(
        ["wine", str(program), *arguments],
        cwd=cwd,
        env=environment(env),
        stdin=subprocess.DEVNULL,
        capture_output=True,
        timeout=timeout,
    )
    return Run(completed.returncode,
               completed.stdout.decode("utf-8", "replace"),
               completed.stderr.decode("utf-8", "replace"))


def start(program, *arguments, cwd=None, env=None):
    """Starts a Windows program and returns its Popen; the caller ends it."""
    return subprocess.Popen(
        ["wine", str(program), *arguments],
        cwd=cwd,
        env=environment(env),
        stdin=subprocess.DEVNULL,
        stdout=subprocess.PIPE,
        stderr=subprocess.PIPE,
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


def run_with_debug_capture(debug_capture, program, *arguments, cwd=None, timeout=DEFAULT_TIMEOUT, env=None):
    """Runs a program under the debug-string catcher: stdout holds the lines
    that it passed to the debugger output."""
    return run(debug_capture, windows_path(program), *arguments, cwd=cwd, timeout=timeout, env=env)


def reg(*arguments):
    return run("reg", *arguments, timeout=DEFAULT_TIMEOUT)


def set_show_msg(value, kind="REG_DWORD"):
    result = reg("add", REGISTRY_KEY, "/v", "ShowMsg", "/t", kind, "/d", str(value), "/f")
    assert result.exit_code == 0, result.stderr


def delete_show_msg():
    reg("delete", REGISTRY_KEY, "/v", "ShowMsg", "/f")
