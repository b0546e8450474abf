"""Reading ORVEXLOG.log: 8-bit lines ending in CR LF, each
[date time] [LEVEL][Function():line] message."""
import re
from pathlib import Path

LOG_NAME = "ORVEXLOG.log"
HEADER = re.compile(r"^\[[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}\] "
                    r"\[(ERROR|WARN|INFO|DEBUG)\]\[([A-Za-z_0-9]+)\(\):[0-9]+\] (.*)$")


def read_bytes(folder):
    path = Path(folder) / LOG_NAME
    return path.read_bytes() if path.exists() else b""


def records(lines):
    """(level, function, message) of each line, which must all be records."""
    found = [HEADER.match(line) for line in lines]
    assert all(found), f"not all trace records: {lines}"
    return [match.groups() for match in found]


def messages(folder, function=None):
    """(level, message) of each record of the log in folder, of one function if named."""
    content = read_bytes(folder).decode("latin-1")
    assert not content or content.endswith("\r\n"), f"the log does not end with CR LF: {content[-80:]!r}"
    return [(level, message) for level, name, message in records(content.split("\r\n")[:-1])
            if function is None or name == function]


def debugger_messages(output):
    """(level, message) of the trace records among debug_capture's lines."""
    return [(m[1], m[3]) for m in map(HEADER.match, output.splitlines()) if m]
