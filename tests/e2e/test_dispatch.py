"""Start-up and dispatch of the real program: exit codes and the log."""
import pytest

from orvex_e2e import wine

# Arguments whose deciding argument is not an option: exit 1, nothing logged.
UNRECOGNISED = [
    ["-foo"],
    ["-s3", "-foo"],
    ["-s3x"],
    ["-s3", "-nomsg", "x"],
    ["-" * 5000],
    ["-nomsg"] * 3000 + ["-bogus"],
    ["-\u00e9t\u00e9", "-nomsg"],
    ["\"unbalanced"],
    ["\u4e2d\u6587", "\U0001F600"],
    [""],
]


@pytest.mark.parametrize("arguments", UNRECOGNISED, ids=range(len(UNRECOGNISED)))
def test_unrecognised_deciding_argument_exits_1_without_a_log_line(program_dir, other_cwd, arguments):
    result = wine.run(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd)
    assert result.exit_code == 1
    assert not (program_dir / "ORVEXLOG.log").exists()
    assert not (other_cwd / "ORVEXLOG.log").exists()
