"""The message box through a screen reader's eyes: an Active Accessibility
client in its own process reads the boxes, follows their focus and presses them."""
import pytest

from conftest import viewer
from orvex_e2e import reader, screen, wine

ROLE_DIALOG = "18"
ROLE_PUSH_BUTTON = "43"
FOCUSABLE = 0x100000
FOCUSED = 0x4

# The texts of the English sections, which the test prefix's locale selects.
CONFIRMATION = "Going to switch to android OS."
NOT_READY = "Pivra is not ready, maybe you need to reboot this platform."


# (profile, ShowMsg, name, description, captions, button the reader presses
#  (None: Tab and Return), exit code, commands of the run)
SWITCH_BOXES = [
    ("ready", 2, CONFIRMATION, CONFIRMATION, ["OK", "Cancel"], None, 1, [17, 24, 16, 24]),
    ("not-ready", 0, "Warning", NOT_READY, ["OK"], 1, 1, [17, 24, 16, 24]),
]


@pytest.mark.parametrize("profile, show_msg_value, name, description, captions, pressed, exit_code, commands",
                         SWITCH_BOXES, ids=["confirmation tab cancel", "not ready ok"])
def test_the_switch_boxes_are_read_and_pressed_like_their_buttons(script_server, program_dir, other_cwd,
                                                                  config_tool, show_msg, msaa_client, profile,
                                                                  show_msg_value, name, description, captions,
                                                                  pressed, exit_code, commands):
    server = script_server("--profile", profile)
    show_msg(show_msg_value)
    screen.move_pointer(1, 1)
    with reader.started(msaa_client, *(["--press", str(pressed)] if pressed else [])) as client:
        with wine.started(program_dir / "OrvexSwitcher.exe", cwd=other_cwd) as process:
            box_line, buttons = client.dialog()
            # A dialog with its name and description whose buttons have their
            # captions, the first focused (where they are: test_msgbox_screen.py).
            assert (box_line["role"], box_line["name"], box_line["description"], box_line["focus"]) == (
                ROLE_DIALOG, name, description, "1")
            assert [(b["name"], b["role"], b["action"], int(b["state"])) for b in buttons] == [
                (caption, ROLE_PUSH_BUTTON, "Press", FOCUSABLE | (FOCUSED if i == 0 else 0))
                for i, caption in enumerate(captions)]
            if pressed:
                assert client.wait_for("pressed")["hr"] == "0x00000000"
            else:
                client.wait_for("focus", id="1", name=captions[0])
                screen.key("Tab")
                focus = client.wait_for("focus", id="2")
                assert (focus["name"], int(focus["state"]) & FOCUSED) == (captions[1], FOCUSED)
                screen.key("Return")
            client.wait_for("dialogend")
            assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == commands
    assert config_tool.starts() == []


def test_fifty_presses_in_a_row_each_return_s_ok_and_answer_their_box_once(msaa_client, tmp_path):
    # OK and Cancel of the confirmation, and the one-button warning, each box
    # shown again and again by the viewer, which writes down each answer.
    for style, caption, child, count in [(0x41, "", 1, 17), (0x41, "", 2, 17), (0, "Warning", 1, 16)]:
        answers = tmp_path / f"answers-{style}-{child}"
        with reader.started(msaa_client, "--press", str(child)) as client, answers.open("w") as out, \
                viewer("Press me", caption, style, "-repeat", str(count), stdout=out) as process:
            for _ in range(count):
                client.wait_for("dialogstart")
                assert client.wait_for("pressed")["hr"] == "0x00000000"
                client.wait_for("dialogend")
            assert wine.exit_code(process) == child
        assert answers.read_text().split() == [str(child)] * count
