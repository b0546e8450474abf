"""A screen reader's view of the message box: the lines of msaa_client.exe
(tests/support/msaa_client.cpp), started before the box appears, each a dict
of its fields and its "kind"."""
import queue
import subprocess
import threading
import time
from contextlib import contextmanager

from . import wine

TIMEOUT = 30


class Client:
    def __init__(self, process):
        self.process, self.incoming, self.lines = process, queue.Queue(), []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self.process.stdout:
            kind, *pairs = raw.decode("utf-8", "replace").rstrip("\r\n").split("\t")
            self.incoming.put(dict([("kind", kind)] + [pair.split("=", 1) for pair in pairs if "=" in pair]))
        self.incoming.put(None)

    def wait_for(self, kind, timeout=TIMEOUT, **fields):
        """The first line of that kind with those fields not taken yet. The
        reader's own calls let events in, so the lines of one kind may come
        before or among those of another (a focus before its box, the box's
        end or the next box before the answer to a press)."""
        deadline, wanted = time.monotonic() + timeout, {"kind": kind, **fields}.items()
        while (line := next((line for line in self.lines if line.items() >= wanted), None)) is None:
            try:
                new = self.incoming.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                raise AssertionError(f"no {kind} line within {timeout} s; not taken {self.lines}") from None
            assert new is not None, f"the reader ended; not taken {self.lines}"
            self.lines.append(new)
        self.lines.remove(line)
        return line

    def dialog(self):
        self.wait_for("dialogstart")
        box = self.wait_for("box")
        return box, [self.wait_for("button") for _ in range(int(box["children"]))]


@contextmanager
def started(program, *arguments, env=None):
    """The client, following the box's events once this returns."""
    with wine.started(program, *arguments, env=env, stdout=subprocess.PIPE) as process:
        client = Client(process)
        client.wait_for("ready", timeout=wine.TIMEOUT)
        yield client


def location(line):
    """(left, top, right, bottom) of a location field "left,top,width,height"."""
    left, top, width, height = (int(value) for value in line["location"].split(","))
    return (left, top, left + width, top + height)
