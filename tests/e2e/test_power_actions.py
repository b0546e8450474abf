"""The power actions that leave this Wine running: its power capabilities
report no S3 and no fast S4, and its SetSuspendState does nothing."""
import re

import pytest

from orvex_e2e import wine


def log_lines(program_dir):
    log = program_dir / "ORVEXLOG.log"
    return log.read_bytes().decode("latin-1").splitlines() if log.exists() else []


@pytest.mark.parametrize("option, function, state", [
    ("-s3", "DoS3", "S3"),
    ("-S3", "DoS3", "S3"),
    ("-hybrid", "DoHybridShutdown", "Hybrid"),
])
def test_a_missing_capability_writes_one_record_and_exits_1(program_dir, other_cwd, option, function, state):
    result = wine.run(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd)
    assert result.exit_code == 1
    lines = log_lines(program_dir)
    assert len(lines) == 1, lines
    pattern = (r"\[\w{3} [ \d]\d \d{4} \d\d:\d\d:\d\d\] \[ERROR\]\[" + function +
               r"\(\):\d+\] Sleep state " + state + r" is not supported \[Err=\d+\]\.")
    assert re.fullmatch(pattern, lines[0]), lines[0]


def test_hibernate_is_accepted_with_the_hibernate_flag_alone(program_dir, other_cwd):
    # Wine notes the arguments of its SetSuspendState, which changes nothing.
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-s4", cwd=other_cwd, env={"WINEDEBUG": "fixme+powrprof"})
    assert result.exit_code == 0
    assert re.search(r"SetSuspendState \(1, 0, 0\)", result.stderr), result.stderr
    assert log_lines(program_dir) == []
