"""The OS switch flows end to end: the real program against the stand-in
script server, the companion tool stand-in, and the boxes answered with
xdotool. The flows' firmware questions are read back from the server's
record of the scripts it received."""
import pytest

from orvex_e2e import wine

SWITCH = []          # no option
NOW = ["-now"]
QUIET = ["-nomsg"]   # ShowMsg 0 whatever the registry holds: no confirmation

# (profile and settings, arguments, commands sent, tool started, exit code).
# None of these rows shows a box.
WITHOUT_BOXES = [
    (["--profile", "ready"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 0),
    (["--profile", "ready"], NOW + QUIET, [17, 24, 16, 20], False, 0),
    (["--profile", "refused"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 1),
    (["--profile", "ready", "--answer", "20=0x80000000"], NOW + QUIET, [17, 24, 16, 20], False, 1),
    (["--profile", "feature-off"], SWITCH + QUIET, [17], True, 0),
    (["--profile", "feature-off"], NOW + QUIET, [17], False, 1),
    (["--profile", "unconfigured"], SWITCH + QUIET, [17, 24, 16], True, 0),
    (["--profile", "unconfigured"], NOW + QUIET, [17, 24, 16], True, 0),
    (["--profile", "ready", "--answer", "16=0x00000021"], SWITCH + QUIET, [17, 24, 16], True, 0),
    # Bit 31 or 30 of command 24: counts as no answer, both tests pass.
    (["--profile", "state-unknown"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 0),
    (["--profile", "ready", "--answer", "24=0x80000001"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 0),
    # Not ready is no reason to stop for "-now".
    (["--profile", "not-ready"], NOW + QUIET, [17, 24, 16, 20], False, 0),
    # The server answers every call with a failure: the presets decide.
    (["--profile", "absent"], SWITCH + QUIET, [17], True, 0),
    (["--profile", "absent"], NOW + QUIET, [17], False, 1),
]


@pytest.mark.parametrize("server_arguments, arguments, commands, tool_started, exit_code", WITHOUT_BOXES,
                         ids=[" ".join(row[0] + row[1]) for row in WITHOUT_BOXES])
def test_the_firmware_answers_decide_without_a_box(script_server, program_dir, other_cwd, config_tool,
                                                  server_arguments, arguments, commands, tool_started, exit_code):
    server = script_server(*server_arguments)
    result = wine.run(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd, timeout=40, capture=False)
    assert result.exit_code == exit_code
    assert server.commands() == commands
    if tool_started:
        starts = config_tool.wait_for_starts(1)
        assert [start.working_directory.rstrip("\\") for start in starts] == [wine.windows_path(program_dir)]
    else:
        assert config_tool.starts() == []


def test_when_the_tool_cannot_start_the_hand_over_exits_1(script_server, program_dir, other_cwd, config_tool):
    server = script_server("--profile", "unconfigured")
    config_tool.remove()
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd, timeout=40)
    assert result.exit_code == 1
    assert server.commands() == [17, 24, 16]


@pytest.mark.parametrize("arguments, tool_started, exit_code", [
    (SWITCH + QUIET, True, 0),
    (NOW + QUIET, False, 1),
    (NOW, False, 1),
])
def test_without_a_server_the_switch_hands_over_and_now_exits_1(program_dir, other_cwd, config_tool, arguments,
                                                                tool_started, exit_code):
    result = wine.run(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd, timeout=40, capture=False)
    assert result.exit_code == exit_code
    assert len(config_tool.wait_for_starts(1, timeout=10 if tool_started else 2)) == (1 if tool_started else 0)
