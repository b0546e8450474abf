"""Answering the message box with real X input (xdotool): the keyboard, the
mouse and the clock, once each. Which key does what in every state is the
input rules' unit table."""
import pytest

from conftest import built
from orvex_e2e import msgbox, screen, wine


def show(style, timeout=-1):
    screen.move_pointer(1, 1)
    return wine.started(built("tools/msgbox_viewer/msgbox_viewer.exe"), "-labels",
                        "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue", "Answer me", "Caption", str(style),
                        str(timeout))


@pytest.mark.parametrize("style, keys, answer", [
    (3, ["Tab", "Tab", "Tab", "space"], 6),   # round to the first again
    (4, ["Escape", "Tab", "Return"], 7),      # Escape does nothing on Yes/No
    (1, ["Escape"], 2),
])
def test_keys_answer_the_focused_button_or_cancel(style, keys, answer):
    with show(style) as process:
        msgbox.box_of(process)
        screen.key(*keys)
        assert wine.exit_code(process) == answer


def test_a_click_answers_the_button_it_pressed_and_is_ignored_while_space_is_down():
    with show(3) as process:
        box, _ = msgbox.box_of(process)
        yes, no, _ = box.buttons
        screen.key_down("space")
        msgbox.wait_for_face(yes, msgbox.WHITE)
        screen.click(*no.centre)   # honoured, it would answer No at once
        assert screen.holds(lambda: process.poll() is None, 1.0)
        screen.key_up("space")
        assert wine.exit_code(process) == 6
    with show(3) as process:
        box, _ = msgbox.box_of(process)
        screen.click(*box.buttons[1].centre)
        assert wine.exit_code(process) == 7


def test_the_timeout_answers_ok_after_its_seconds():
    with show(4, timeout=3) as process:
        msgbox.box_of(process)
        assert screen.holds(lambda: process.poll() is None, 1.5)
        assert wine.exit_code(process, timeout=30) == 1
        assert not msgbox.box_shown()
