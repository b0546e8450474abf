"""Each option of the real program reaches its action, one run each (-s3 in
test_hardening.py, the session's end and the switch in files of their own)."""
import pytest

from conftest import unwritable
from orvex_e2e import trace_log, wine

SHORTCUT = "OrvexSwitcher.lnk"


def test_an_unknown_deciding_argument_exits_1_and_does_nothing(program, program_dir, other_cwd):
    assert wine.run(program, "-s3", "-NOMSG", "-s3x", "-nomsg", cwd=other_cwd).exit_code == 1
    assert [p.name for p in program_dir.iterdir()] == ["OrvexSwitcher.exe"]
    assert list(other_cwd.iterdir()) == []


def test_hybrid_tests_the_capability_this_wine_lacks(program, program_dir, other_cwd):
    assert wine.run(program, "-hybrid", cwd=other_cwd).exit_code == 1
    assert trace_log.messages(program_dir) == [("ERROR", "Sleep state Hybrid is not supported [Err=0].")]


def test_hibernate_asks_for_the_hibernate_state_alone(program, program_dir, other_cwd):
    # Wine notes the arguments of its SetSuspendState, which changes nothing.
    result = wine.run(program, "-s4", cwd=other_cwd, env={"WINEDEBUG": "fixme+powrprof"})
    assert result.exit_code == 0
    assert "SetSuspendState (1, 0, 0)" in result.stderr
    assert trace_log.read_bytes(program_dir) == b""


# In a folder where no name can be made or removed, an older file of the
# shortcut's name is saved over but not deleted, so the shortcut stays to be
# read; without one nothing is left anywhere.
@pytest.mark.parametrize("older", [True, False], ids=["over an older file", "no older file"])
def test_taskbarpin_in_a_locked_folder_exits_1_leaving_only_a_shortcut_to_the_fixed_name_saved_over_a_file(
        program, program_dir, tmp_path, other_cwd, older):
    renamed = program.rename(program_dir / "Renamed.exe")
    temp = tmp_path / "temp"
    temp.mkdir()
    if older:
        (temp / SHORTCUT).write_bytes(b"")
    with unwritable(temp):
        result = wine.run_with_temp(renamed, "-taskbarpin", temp=wine.windows_path(temp), cwd=other_cwd)
        left = {path.name: path.read_bytes() for path in temp.iterdir()}
    assert result.exit_code == 1
    assert [p.name for p in program_dir.iterdir()] == ["Renamed.exe"]
    assert list(other_cwd.iterdir()) == []
    assert list(left) == ([SHORTCUT] if older else [])
    if older:
        assert left[SHORTCUT][:4] == b"\x4c\x00\x00\x00"   # a shell link's header size
        assert wine.windows_path(program_dir / "OrvexSwitcher.exe").encode("utf-16-le") in left[SHORTCUT]


def test_taskbarunpin_leaves_no_shortcut_even_over_an_older_file(program, other_cwd):
    temp = wine.temp_directory()
    (temp / SHORTCUT).write_bytes(b"an older file of that name")
    assert wine.run(program, "-taskbarunpin", cwd=other_cwd).exit_code == 1
    assert not (temp / SHORTCUT).exists()


def test_config_starts_the_tool_beside_the_program_and_does_not_wait(program, program_dir, other_cwd, config_tool):
    config_tool.hold_path.write_bytes(b"")
    started = wine.run(program, "-config", cwd=other_cwd, timeout=40, env={"WINEDEBUG": "trace+exec"})
    assert started.exit_code == 0
    # The process handle, no error dialog, and the launch finished before the shell returns.
    assert "SHELL_execute mask=0x00000540 " in started.stderr
    assert [[start[0].rstrip("\\")] + start[1:] for start in config_tool.wait_for_starts(1)] == [
        [wine.windows_path(program_dir)]]
    config_tool.path.unlink()
    assert wine.run(program, "-config", cwd=other_cwd, timeout=40).exit_code == 1
