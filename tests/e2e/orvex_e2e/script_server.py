"""The stand-in WMI Script Server (OrvexScriptServer.exe) under Wine. It
prints one line per exchange to folder/server.out and records every script
it receives to folder/scripts.txt, one per line. One server per Wine prefix
(the pipe name is fixed): tests that start one hold the ctest lock
"script_server"."""
import re
import subprocess
import time
from pathlib import Path

from . import wine


class ScriptServer:
    def __init__(self, program, folder, arguments=(), time_limit=300):
        self.program, self.folder = Path(program), Path(folder)
        self.arguments = [*arguments, "--time-limit", str(time_limit)]
        self.record_path, self.output_path = self.folder / "scripts.txt", self.folder / "server.out"
        self.process = None

    def start(self, timeout=30):
        """Starts the server and returns once its pipe exists."""
        self.folder.mkdir(parents=True, exist_ok=True)
        with open(self.output_path, "wb") as output:
            self.process = subprocess.Popen(
                ["wine", str(self.program), *self.arguments, "--record", wine.windows_path(self.record_path)],
                env=wine.environment(), stdin=subprocess.DEVNULL, stdout=output, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + timeout
        while "listening on" not in self.output():
            if self.process.poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise RuntimeError(f"the script server did not start:\n{self.output()}")
            time.sleep(0.05)
        return self

    def output(self):
        return self.output_path.read_text("utf-8", "replace") if self.output_path.exists() else ""

    def scripts(self):
        return self.record_path.read_text("utf-8", "replace").splitlines() if self.record_path.exists() else []

    def commands(self):
        """The notification codes of the scripts received so far, in order."""
        return [int(m.group(1)) for m in (re.search(r"NotificationCode,(\d+)", s) for s in self.scripts()) if m]

    def wait_for_scripts(self, count, timeout=30):
        deadline = time.monotonic() + timeout
        while len(self.scripts()) < count:
            assert time.monotonic() < deadline, f"{count} scripts not received: {self.scripts()}"
            time.sleep(0.05)

    def stop(self, timeout=30):
        """Asks the server to stop (--stop) and kills it by its id if it does not."""
        if self.process is not None and self.process.poll() is None:
            wine.run(self.program, "--stop", timeout=timeout)
            try:
                self.process.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout=timeout)
        return self.process.returncode if self.process else None
