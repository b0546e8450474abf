"""Reading ORVEXLOG.log: 8-bit lines ending in CR LF, each
[date time] [LEVEL][Function():line] message."""
import codecs
import re
from pathlib import Path

LOG_NAME = "ORVEXLOG.log"
HEADER = re.compile(r"^\[[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}\] "
                    r"\[(ERROR|WARN|INFO|DEBUG)\]\[([A-Za-z_0-9]+)\(\):[0-9]+\] (.*)$")


def read_bytes(folder):
    path = Path(folder) / LOG_NAME
    return path.read_bytes() if path.exists() else b""


def messages(folder, function=None):
    """(level, message) of each record of the log in folder, of one function if named; every line must be one."""
    content = read_bytes(folder).decode("latin-1")
    assert not content or content.endswith("\r\n"), f"the log does not end with CR LF: {content[-80:]!r}"
    found = [HEADER.match(line) for line in content.split("\r\n")[:-1]]
    assert all(found), f"not all trace records: {content!r}"
    return [(m[1], m[3]) for m in found if function is None or m[2] == function]


def debugger_messages(stderr):
    """(level, message) of each record sent to the debugger output, as Wine's
    seh channel (WINEDEBUG=warn+seh) shows every OutputDebugString, escaped."""
    sent = [codecs.decode(m[1], "unicode_escape") for m in re.finditer(r':OutputDebugStringA "(.*)"$', stderr, re.M)]
    return [(m[1], m[3]) for m in map(HEADER.match, sent) if m]
