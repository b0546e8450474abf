"""The stand-in WMI Script Server (OrvexScriptServer.exe) under Wine.

    with ScriptServer(program, folder, ["--profile", "legacy"]) as server:
        ... run the switcher ...
        assert server.scripts()[0].startswith("[100=root\\wmi,0,]")

The server writes its output to folder/server.out and records every script
it receives to folder/scripts.txt, one per line (UTF-8). Only one server can
run in a Wine prefix at a time (the pipe name is fixed); tests that start one
hold the ctest lock "script_server".
"""
import subprocess
import time
from pathlib import Path

from . import wine

READY_LINE = "OrvexScriptServer: listening on"
START_TIMEOUT = 30
STOP_TIMEOUT = 30
POLL_SECONDS = 0.05


class ScriptServer:
    def __init__(self, program, folder, arguments=(), time_limit=300):
        self.program = Path(program)
        self.folder = Path(folder)
        self.arguments = list(arguments)
        self.time_limit = time_limit
        self.record_path = self.folder / "scripts.txt"
        self.output_path = self.folder / "server.out"
        self.process = None

    def start(self, timeout=START_TIMEOUT):
        """Starts the server and returns once its pipe exists."""
        self.folder.mkdir(parents=True, exist_ok=True)
        arguments = [*self.arguments,
                     "--record", wine.windows_path(self.record_path),
                     "--time-limit", str(self.time_limit)]
        with open(self.output_path, "wb") as output:
            self.process = subprocess.Popen(
                ["wine", str(self.program), *arguments],
                env=wine.environment(),
                stdin=subprocess.DEVNULL,
                stdout=output,
                stderr=subprocess.STDOUT,
            )
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if READY_LINE in self.output():
                return self
            if self.process.poll() is not None:
                raise RuntimeError(f"the script server ended with {self.process.returncode}:\n{self.output()}")
            time.sleep(POLL_SECONDS)
        self.kill()
        raise RuntimeError(f"the script server did not start within {timeout} s:\n{self.output()}")

    def output(self):
        """What the server printed: one line per exchange."""
        if not self.output_path.exists():
            return ""
        return self.output_path.read_text("utf-8", errors="replace")

    def scripts(self):
        """The scripts received so far, in order."""
        if not self.record_path.exists():
            return []
        return self.record_path.read_text("utf-8", errors="replace").splitlines()

    def wait_for_scripts(self, count, timeout=30):
        deadline = time.monotonic() + timeout
        while len(self.scripts()) < count:
            if time.monotonic() > deadline:
                raise TimeoutError(f"{count} scripts not received within {timeout} s: {self.scripts()}")
            time.sleep(POLL_SECONDS)
        return self.scripts()

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stop(self, timeout=STOP_TIMEOUT):
        """Asks the server to stop (--stop), kills it if it does not, and
        returns its exit code."""
        if self.process is None:
            return None
        if self.running():
            wine.run(self.program, "--stop", timeout=timeout)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.kill()
        return self.process.returncode

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait(timeout=STOP_TIMEOUT)

    def __enter__(self):
        return self.start()

    def __exit__(self, *exception):
        self.stop()
