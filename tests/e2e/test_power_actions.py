"""The power actions that leave this Wine running: its power capabilities
report no S3 and no fast S4, and its SetSuspendState does nothing."""
import re

import pytest

from orvex_e2e import trace_log, wine


@pytest.mark.parametrize("option, function, state", [
    ("-s3", "DoS3", "S3"),
    ("-hybrid", "DoHybridShutdown", "Hybrid"),
])
def test_a_missing_capability_writes_one_record_and_exits_1(program_dir, other_cwd, option, function, state):
    result = wine.run(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd)
    assert result.exit_code == 1
    records = trace_log.records(program_dir)
    assert [(r.level, r.function) for r in records] == [("ERROR", function)]
    assert re.fullmatch(rf"Sleep state {state} is not supported \[Err=\d+\]\.", records[0].message)


def test_hibernate_is_accepted_with_the_hibernate_flag_alone(program_dir, other_cwd):
    # Wine notes the arguments of its SetSuspendState, which changes nothing.
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-s4", cwd=other_cwd, env={"WINEDEBUG": "fixme+powrprof"})
    assert result.exit_code == 0
    assert re.search(r"SetSuspendState \(1, 0, 0\)", result.stderr), result.stderr
    assert trace_log.records(program_dir) == []
