"""The stand-in OrvexConfigTool.exe: it appends one line per start to
OrvexConfigTool.started.txt beside itself (working directory, then the
arguments, tab-separated) and exits 0; while OrvexConfigTool.hold lies beside
it, it keeps running (at most a minute)."""
import shutil
import time
from dataclasses import dataclass
from pathlib import Path

RECORD_NAME = "OrvexConfigTool.started.txt"
HOLD_NAME = "OrvexConfigTool.hold"


@dataclass
class Start:
    working_directory: str
    arguments: list


class ConfigTool:
    def __init__(self, executable, folder):
        self.folder = Path(folder)
        self.path = self.folder / "OrvexConfigTool.exe"
        shutil.copy2(executable, self.path)

    @property
    def record(self):
        return self.folder / RECORD_NAME

    def starts(self):
        """The starts recorded so far."""
        if not self.record.exists():
            return []
        lines = self.record.read_text(encoding="utf-8").splitlines()
        return [Start(fields[0], fields[1:]) for fields in (line.split("\t") for line in lines)]

    def wait_for_starts(self, count=1, timeout=30):
        """Waits (bounded) until count starts are recorded; the tool runs on
        its own, so its record may come after its starter has ended."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.starts()
            if len(found) >= count:
                return found
            time.sleep(0.1)
        return self.starts()

    def hold(self):
        (self.folder / HOLD_NAME).write_bytes(b"")

    def release(self):
        (self.folder / HOLD_NAME).unlink(missing_ok=True)

    def remove(self):
        self.path.unlink()
