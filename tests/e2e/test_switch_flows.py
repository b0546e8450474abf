"""The OS switch flows end to end: the real program against the stand-in
script server, the companion tool stand-in, and the boxes answered with
xdotool. The flows' firmware questions are read back from the server's
record of the scripts it received."""
import pytest

from orvex_e2e import msgbox, screen, wine

SWITCH = []          # no option
NOW = ["-now"]
QUIET = ["-nomsg"]   # ShowMsg 0 whatever the registry holds: no confirmation

# (profile and settings, arguments, commands sent, tool started, exit code).
# None of these rows shows a box.
WITHOUT_BOXES = [
    (["--profile", "ready"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 0),
    (["--profile", "ready"], NOW + QUIET, [17, 24, 16, 20], False, 0),
    (["--profile", "refused"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 1),
    (["--profile", "feature-off"], SWITCH + QUIET, [17], True, 0),
    (["--profile", "feature-off"], NOW + QUIET, [17], False, 1),
    (["--profile", "unconfigured"], SWITCH + QUIET, [17, 24, 16], True, 0),
    (["--profile", "ready", "--answer", "16=0x00000021"], SWITCH + QUIET, [17, 24, 16], True, 0),
    # Bit 31 or 30 of command 24: counts as no answer, both tests pass.
    (["--profile", "state-unknown"], SWITCH + QUIET, [17, 24, 16, 24, 20], False, 0),
    # Not ready is no reason to stop for "-now".
    (["--profile", "not-ready"], NOW + QUIET, [17, 24, 16, 20], False, 0),
    # The server answers every call with a failure: the presets decide.
    (["--profile", "absent"], SWITCH + QUIET, [17], True, 0),
    (["--profile", "absent"], NOW + QUIET, [17], False, 1),
    # No server at all: the open fails, and the presets decide as above.
    (None, SWITCH + QUIET, [], True, 0),
    (None, NOW, [], False, 1),
]


@pytest.mark.parametrize("server_arguments, arguments, commands, tool_started, exit_code", WITHOUT_BOXES,
                         ids=[" ".join((row[0] or ["no server"]) + row[1]) for row in WITHOUT_BOXES])
def test_the_firmware_answers_decide_without_a_box(script_server, program_dir, other_cwd, config_tool,
                                                  server_arguments, arguments, commands, tool_started, exit_code):
    server = script_server(*server_arguments) if server_arguments is not None else None
    result = wine.run(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd, timeout=40, capture=False)
    assert result.exit_code == exit_code
    assert (server.commands() if server else []) == commands
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


# --- the boxes -------------------------------------------------------------

def has_icon(box, image):
    """Whether anything but the band shows in the icon's place, left of the
    text column that starts at a quarter of the width."""
    column_left = box.width // 4
    strip = (column_left - 32 - 20, box.band_top, column_left - 20, box.band_bottom)
    return screen.count_other_pixels(image, strip, [msgbox.BAND]) > 0


LEGACY = (1, True)       # OK, stop icon
NOT_READY = (1, False)   # OK, no icon, caption "Warning"
CONFIRM = (2, True)      # OK and Cancel, information icon

# (settings, arguments, ShowMsg in the registry, box, commands before it,
#  answer, commands after it, exit code)
WITH_BOXES = [
    (["--profile", "legacy"], SWITCH, 0, LEGACY, [17, 24], "Return", [], 1),
    (["--profile", "legacy"], NOW, 2, LEGACY, [17, 24], "Escape", [], 1),
    (["--profile", "not-ready"], SWITCH, 0, NOT_READY, [17, 24, 16, 24], "Return", [], 1),
    # The readiness test reads its own, second answer.
    (["--profile", "ready", "--answer", "24=10,6"], SWITCH + QUIET, 0, NOT_READY, [17, 24, 16, 24], "Return", [], 1),
    (["--profile", "ready"], SWITCH, 2, CONFIRM, [17, 24, 16, 24], "Return", [20], 0),
    (["--profile", "ready"], SWITCH, 0xFFFFFFFF, CONFIRM, [17, 24, 16, 24], "OK", [20], 0),
    (["--profile", "ready"], SWITCH, 3, CONFIRM, [17, 24, 16, 24], "Cancel", [], 1),
    # Escape on the switch's confirmation is in test_robustness.py (ShowMsg
    # as four bytes of binary).
    (["--profile", "not-ready"], NOW, 2, CONFIRM, [17, 24, 16], "Return", [20], 0),
    (["--profile", "ready"], NOW, 2, CONFIRM, [17, 24, 16], "Escape", [], 1),
]


def wait_for_box_of(process, server):
    """The box and its screenshot once it is on the screen; fails at once
    when the program ends without one."""
    found = msgbox.box_of(process)
    assert found is not None, (f"the program ended with {process.returncode} without a box; "
                               f"commands {server.commands()}")
    return found


def answer(box, how):
    """Clicks the button named, or types the keys."""
    buttons = {"OK": 0, "Cancel": 1}
    if how in buttons:
        msgbox.press_button(box, buttons[how])
    else:
        screen.key(*how.split())


@pytest.mark.parametrize(
    "server_arguments, arguments, show_msg_value, expected_box, before, how, after, exit_code", WITH_BOXES,
    ids=[f"{' '.join(row[0] + row[1])} ShowMsg={row[2]} {row[5]}" for row in WITH_BOXES])
def test_the_box_shown_and_its_answer_decide(script_server, program_dir, other_cwd, config_tool, show_msg, tmp_path,
                                            server_arguments, arguments, show_msg_value, expected_box, before, how,
                                            after, exit_code):
    server = script_server(*server_arguments)
    show_msg(show_msg_value)
    screen.move_pointer(1, 1)
    with wine.started(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd) as process:
        box, image = wait_for_box_of(process, server)
        image.save(tmp_path / "box.png")
        assert (len(box.buttons), has_icon(box, image)) == expected_box
        # The switch order waits for the box.
        assert server.commands() == before
        answer(box, how)
        assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == before + after
    assert config_tool.starts() == []
    screen.wait_until(lambda: not msgbox.box_shown(), message="the box to go")


# ShowMsg 0 (and values of other types, which count as 0) are in
# test_robustness.py.
@pytest.mark.parametrize("value, arguments", [(1, SWITCH), (2, SWITCH + QUIET), (2, QUIET + NOW)])
def test_below_2_or_with_nomsg_the_switch_is_ordered_without_asking(script_server, program_dir, other_cwd,
                                                                    config_tool, show_msg, value, arguments):
    server = script_server("--profile", "ready")
    show_msg(value)
    with wine.started(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd) as process:
        assert msgbox.box_of(process, timeout=40) is None
        assert wine.exit_code(process, timeout=30) == 0
    assert server.commands()[-1] == 20
