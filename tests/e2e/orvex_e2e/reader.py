"""A screen reader's view of the message box: msaa_client.exe, an Active
Accessibility client in its own process, started before the box appears.

    with reader.started(client_exe) as client:
        ... start the program ...
        box, buttons = client.dialog()          # read when the box came
        client.seen_or_wait_for("focus", id="1")   # the first button's focus
        screen.key("Tab")
        client.wait_for("focus", id="2")
        client.press(2)
        end = client.wait_for("dialogend")

Each line the client prints is a kind and tab-separated key=value fields
(see tests/support/msaa_client.cpp); here each becomes a Line.
"""
import queue
import subprocess
import threading
from contextlib import contextmanager
from dataclasses import dataclass, field

from . import wine

DEFAULT_TIMEOUT = 30
TIME_LIMIT = 240   # seconds the client lives at most


@dataclass
class Line:
    kind: str
    fields: dict = field(default_factory=dict)

    def __getitem__(self, key):
        return self.fields[key]


def parse(text):
    kind, *pairs = text.rstrip("\r\n").split("\t")
    return Line(kind, dict(pair.split("=", 1) for pair in pairs if "=" in pair))


class Client:
    def __init__(self, process):
        self.process = process
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stdout:
            self.lines.put(parse(raw.decode("utf-8", "replace")))
        self.lines.put(None)

    def next_line(self, timeout=DEFAULT_TIMEOUT):
        try:
            line = self.lines.get(timeout=timeout)
        except queue.Empty:
            raise AssertionError(f"no line from the reader within {timeout} s; seen {self.seen}") from None
        if line is None:
            raise AssertionError(f"the reader ended; seen {self.seen}")
        self.seen.append(line)
        return line

    def wait_for(self, kind, timeout=DEFAULT_TIMEOUT, **fields):
        """The next line of that kind whose fields have those values; lines
        before it are kept in seen."""
        while True:
            line = self.next_line(timeout)
            if line.kind == kind and all(line.fields.get(key) == value for key, value in fields.items()):
                return line

    def seen_or_wait_for(self, kind, timeout=DEFAULT_TIMEOUT, **fields):
        """A line of that kind and fields already read, or the next one. The
        reader's own calls let events in while it reads, so the box's first
        focus may come before the dialog's start."""
        for line in self.seen:
            if line.kind == kind and all(line.fields.get(key) == value for key, value in fields.items()):
                return line
        return self.wait_for(kind, timeout, **fields)

    def dialog(self, timeout=DEFAULT_TIMEOUT):
        """What the reader read when the box came: the box line and its
        button lines."""
        self.wait_for("dialogstart", timeout)
        box = self.wait_for("box", timeout)
        buttons = [self.wait_for("button", timeout) for _ in range(int(box["children"]))]
        return box, buttons

    def press(self, child_id):
        self.process.stdin.write(f"press {child_id}\n".encode())
        self.process.stdin.flush()
        return self.wait_for("pressed")


@contextmanager
def started(program, env=None):
    """The client, following the box's events once this returns; ended by its
    id at the end of the block unless it has exited by then."""
    process = subprocess.Popen(["wine", str(program), str(TIME_LIMIT)], env=wine.environment(env),
                               stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        client = Client(process)
        client.wait_for("ready", timeout=wine.TIMEOUT)
        yield client
    finally:
        if process.poll() is None:
            process.kill()
        process.stdin.close()
        process.wait(timeout=wine.TIMEOUT)


def location(line):
    """(left, top, right, bottom) of a location field "left,top,width,height"."""
    left, top, width, height = (int(value) for value in line["location"].split(","))
    return (left, top, left + width, top + height)


def failed(hresult):
    """Whether a printed HRESULT is a failure."""
    return int(hresult, 16) & 0x80000000 != 0
