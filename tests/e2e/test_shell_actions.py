"""The taskbar options and the companion tool launch of the real program."""
import shutil

import pytest

from orvex_e2e import wine
from orvex_e2e.folders import append_only

SHORTCUT = "OrvexSwitcher.lnk"


@pytest.fixture
def shared_temp():
    """Wine's temporary-files directory, without a shortcut before or after."""
    folder = wine.temp_directory()
    (folder / SHORTCUT).unlink(missing_ok=True)
    yield folder
    (folder / SHORTCUT).unlink(missing_ok=True)


# Both options make the shortcut and remove it again; each is run once, one
# of them over a file of the shortcut's name.
@pytest.mark.parametrize("option, existed_before", [("-taskbarpin", False), ("-taskbarunpin", True)])
def test_taskbar_options_exit_1_and_leave_no_shortcut(program_dir, other_cwd, shared_temp, option,
                                                       existed_before):
    if existed_before:
        (shared_temp / SHORTCUT).write_bytes(b"an older file of that name")
    result = wine.run(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd)
    assert result.exit_code == 1
    assert not (shared_temp / SHORTCUT).exists()
    assert list(other_cwd.iterdir()) == []
    assert sorted(p.name for p in program_dir.iterdir()) == ["OrvexSwitcher.exe"]


def utf16(path):
    return wine.windows_path(path).encode("utf-16-le")


def test_the_shortcut_targets_the_fixed_program_name_in_the_programs_folder(tmp_path, program_dir, other_cwd):
    renamed = program_dir / "Renamed.exe"
    (program_dir / "OrvexSwitcher.exe").rename(renamed)
    private_temp = tmp_path / "temp"
    private_temp.mkdir()
    temp_name = wine.windows_path(private_temp) + "\\"
    with append_only(private_temp):
        result = wine.run_with_windows_environment(renamed, "-taskbarpin", variables={"TMP": temp_name, "TEMP": temp_name},
                                                   cwd=other_cwd)
        assert result.exit_code == 1
        link = (private_temp / SHORTCUT).read_bytes()
    # Shell links start with their header size and the link class id.
    assert link[:4] == b"\x4c\x00\x00\x00"
    assert utf16(program_dir / "OrvexSwitcher.exe") in link
    assert utf16(renamed) not in link


def test_without_a_temporary_directory_the_shortcut_goes_to_the_current_directory(program_dir, other_cwd):
    too_long = "C:\\" + "t" * 300
    program = program_dir / "OrvexSwitcher.exe"
    variables = {"TMP": too_long, "TEMP": too_long}
    result = wine.run_with_windows_environment(program, "-taskbarunpin", variables=variables, cwd=other_cwd)
    assert result.exit_code == 1
    assert list(other_cwd.iterdir()) == []
    with append_only(other_cwd):
        result = wine.run_with_windows_environment(program, "-taskbarunpin", variables=variables, cwd=other_cwd)
        assert result.exit_code == 1
        assert (other_cwd / SHORTCUT).exists()


def test_config_starts_the_tool_in_the_programs_folder_and_does_not_wait_for_it(program_dir, other_cwd,
                                                                                config_tool):
    # A tool of the same name in the current directory must not be the one started.
    shutil.copy2(config_tool.path, other_cwd / "OrvexConfigTool.exe")
    config_tool.hold()
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-CONFIG", cwd=other_cwd, timeout=40, capture=False)
    assert result.exit_code == 0
    starts = config_tool.wait_for_starts(1)
    assert len(starts) == 1
    assert starts[0].working_directory.rstrip("\\") == wine.windows_path(program_dir)
    assert starts[0].arguments == []
    assert not (other_cwd / "OrvexConfigTool.started.txt").exists()
    # The tool is still held, so its starter ended before it.
    assert (program_dir / "OrvexConfigTool.hold").exists()


def test_config_without_the_tool_shows_nothing_and_exits_1(program_dir, other_cwd, config_tool):
    # Only the tool beside the program counts, not one in the current directory.
    shutil.copy2(config_tool.path, other_cwd / "OrvexConfigTool.exe")
    config_tool.remove()
    # A dialog would keep the program from ending within the bound.
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-config", cwd=other_cwd, timeout=40)
    assert result.exit_code == 1
    assert config_tool.starts() == []
    assert not (other_cwd / "OrvexConfigTool.started.txt").exists()
