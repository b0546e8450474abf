"""The stand-in OrvexConfigTool.exe (README, "The companion configuration
tool"): a record line per start, and running on while its hold file lies there."""
import shutil
import time
from pathlib import Path


class ConfigTool:
    def __init__(self, executable, folder):
        self.folder = Path(folder)
        self.path = self.folder / "OrvexConfigTool.exe"
        shutil.copy2(executable, self.path)
        self.hold_path = self.folder / "OrvexConfigTool.hold"

    def starts(self):
        record = self.folder / "OrvexConfigTool.started.txt"
        lines = record.read_text(encoding="utf-8").splitlines() if record.exists() else []
        return [line.split("\t") for line in lines]

    def wait_for_starts(self, count=1, timeout=30):
        """The tool runs on its own: its record may come after its starter ended."""
        deadline = time.monotonic() + timeout
        while len(self.starts()) < count and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.starts()
