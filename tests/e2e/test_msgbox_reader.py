"""The message box through a screen reader's eyes: an Active Accessibility
client in its own process (msaa_client.exe) reads the real program's boxes,
follows their focus and presses their buttons, also fifty times in a row."""
import subprocess

import pytest

from conftest import built
from orvex_e2e import reader, screen, wine

ROLE_DIALOG = "18"
ROLE_PUSH_BUTTON = "43"
FOCUSABLE = 0x100000
FOCUSED = 0x4

# The texts of the English sections, which the test prefix's locale selects.
CONFIRMATION = "Going to switch to android OS."
NOT_READY = "Pivra is not ready, maybe you need to reboot this platform."


# (profile, ShowMsg, name, description, captions, Tab first, button pressed,
#  exit code, commands after the box)
SWITCH_BOXES = [
    ("ready", 2, CONFIRMATION, CONFIRMATION, ["OK", "Cancel"], True, 2, 1, []),
    ("ready", 2, CONFIRMATION, CONFIRMATION, ["OK", "Cancel"], False, 1, 0, [20]),
    ("not-ready", 0, "Warning", NOT_READY, ["OK"], False, 1, 1, []),
]


@pytest.mark.parametrize("profile, show_msg_value, name, description, captions, tab, pressed, exit_code, after",
                         SWITCH_BOXES, ids=["confirmation tab cancel", "confirmation ok", "not ready ok"])
def test_the_switch_boxes_are_read_and_pressed_like_their_buttons(script_server, program_dir, other_cwd,
                                                                  config_tool, show_msg, msaa_client, profile,
                                                                  show_msg_value, name, description, captions, tab,
                                                                  pressed, exit_code, after):
    server = script_server("--profile", profile)
    show_msg(show_msg_value)
    screen.move_pointer(1, 1)
    with reader.started(msaa_client) as client:
        with wine.started(program_dir / "OrvexSwitcher.exe", cwd=other_cwd) as process:
            box_line, buttons = client.dialog()
            # A dialog with its name and description whose buttons have their
            # captions, the first focused (where they are: test_msgbox_screen.py).
            assert (box_line["role"], box_line["name"], box_line["description"], box_line["focus"]) == (
                ROLE_DIALOG, name, description, "1")
            assert [(b["name"], b["role"], b["action"], int(b["state"])) for b in buttons] == [
                (caption, ROLE_PUSH_BUTTON, "Press", FOCUSABLE | (FOCUSED if i == 0 else 0))
                for i, caption in enumerate(captions)]
            client.wait_for("focus", id="1", name=captions[0])
            before = server.commands()
            if tab:
                screen.key("Tab")
                focus = client.wait_for("focus", id="2")
                assert (focus["name"], int(focus["state"]) & FOCUSED) == (captions[1], FOCUSED)
            assert client.press(pressed)["hr"] == "0x00000000"
            client.wait_for("dialogend")
            assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == before + after
    assert config_tool.starts() == []



def test_fifty_presses_in_a_row_each_return_s_ok_and_answer_their_box_once(msaa_client, tmp_path):
    """The viewer shows its box again and again, writing down each answer."""
    with reader.started(msaa_client) as client:
        # OK and Cancel of the confirmation, and the one-button warning.
        for style, caption, child, count in [(0x41, "", 1, 17), (0x41, "", 2, 17), (0, "Warning", 1, 16)]:
            answers = tmp_path / f"answers-{style}-{child}"
            with answers.open("w") as out:
                process = subprocess.Popen(["wine", str(built("tools/msgbox_viewer/msgbox_viewer.exe")), "-repeat",
                                            str(count), "Press me", caption, str(style), "-1"],
                                           env=wine.environment(), stdout=out, stderr=subprocess.DEVNULL)
            try:
                for shown in range(1, count + 1):
                    client.dialog()
                    assert client.press(child)["hr"] == "0x00000000"
                    screen.wait_until(lambda: len(answers.read_text().split()) >= shown, message="the answer")
                assert process.wait(timeout=wine.TIMEOUT) == child
            finally:
                if process.poll() is None:
                    process.kill()
                process.wait(timeout=wine.TIMEOUT)
            assert answers.read_text().split() == [str(child)] * count
