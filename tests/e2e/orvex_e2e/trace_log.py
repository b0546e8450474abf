"""Reading ORVEXLOG.log: 8-bit lines ending in CR LF, each
[date time] [LEVEL][Function():line] message."""
import re
from dataclasses import dataclass
from pathlib import Path

LOG_NAME = "ORVEXLOG.log"
HEADER = re.compile(
    r"^\[(?P<date>[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}) (?P<time>[0-9]{2}:[0-9]{2}:[0-9]{2})\] "
    r"\[(?P<level>ERROR|WARN|INFO|DEBUG)\]\[(?P<function>[A-Za-z_0-9]+)\(\):(?P<line>[0-9]+)\] (?P<message>.*)$")


@dataclass
class Record:
    level: str
    function: str
    line: int
    message: str


def log_path(folder):
    return Path(folder) / LOG_NAME


def read_bytes(folder):
    path = log_path(folder)
    return path.read_bytes() if path.exists() else b""


def parse_line(text):
    match = HEADER.match(text)
    if not match:
        raise AssertionError(f"not a trace record: {text!r}")
    return Record(match["level"], match["function"], int(match["line"]), match["message"])


def records(folder):
    """Every record of the log in the folder; each must be a whole line."""
    content = read_bytes(folder).decode("latin-1")
    if content and not content.endswith("\r\n"):
        raise AssertionError(f"the log does not end with CR LF: {content[-80:]!r}")
    return [parse_line(line) for line in content.split("\r\n")[:-1]] if content else []


def messages(folder, function=None):
    """(level, message) of each record, of one function if named."""
    return [(r.level, r.message) for r in records(folder) if function is None or r.function == function]
