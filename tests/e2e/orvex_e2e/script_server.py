"""The stand-in WMI Script Server under Wine, its output in folder/server.out
and each script received a line of folder/scripts.txt. One server per Wine
prefix (the pipe name is fixed): tests that start one hold the ctest lock
"script_server"."""
import re
import subprocess
import time
from pathlib import Path

from . import wine


class ScriptServer:
    def __init__(self, program, folder, arguments=()):
        self.program, self.folder, self.arguments = Path(program), Path(folder), list(arguments)
        self.process = None

    def start(self, timeout=30):
        self.folder.mkdir(parents=True)
        with open(self.folder / "server.out", "wb") as output:
            self.process = subprocess.Popen(["wine", str(self.program), *self.arguments, "--time-limit", "300",
                                             "--record", wine.windows_path(self.folder / "scripts.txt")],
                                            env=wine.environment(), stdin=subprocess.DEVNULL, stdout=output,
                                            stderr=subprocess.STDOUT)
        deadline = time.monotonic() + timeout
        while "listening on" not in self.output():
            if self.process.poll() is not None or time.monotonic() > deadline:
                self.stop()
                raise RuntimeError(f"the script server did not start:\n{self.output()}")
            time.sleep(0.05)
        return self

    def output(self):
        return (self.folder / "server.out").read_text("utf-8", "replace")

    def scripts(self):
        record = self.folder / "scripts.txt"
        return record.read_text("utf-8", "replace").splitlines() if record.exists() else []

    def commands(self):
        return [int(m.group(1)) for m in (re.search(r"NotificationCode,(\d+)", s) for s in self.scripts()) if m]

    def stop(self):
        if self.process.poll() is None:
            wine.run(self.program, "--stop")
            try:
                self.process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.process.kill()
        return self.process.wait(timeout=30)
