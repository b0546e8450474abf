"""The OS switch through the real pipe, its box answered with real input (the
branches, an ended box's among them, are rows of the unit tables)."""
import pytest

from orvex_e2e import msgbox, screen, wine


# A click on Cancel while Enter is held answers nothing: the release of
# Enter answers OK, the focused button, and the order follows.
@pytest.mark.parametrize("profile, arguments, value, before, answer, exit_code, after", [
    ("ready", ["-now"], 0xFFFFFFFF, [17, 24, 16], "Escape", 1, [17, 24, 16]),
    ("ready", ["-now"], 2, [17, 24, 16], "click Cancel while Enter is held", 0, [17, 24, 16, 20]),
])
def test_the_box_shown_and_its_answer_decide(program, other_cwd, config_tool, script_server, show_msg, tmp_path,
                                            profile, arguments, value, before, answer, exit_code, after):
    server = script_server("--profile", profile)
    show_msg(value)
    screen.move_pointer(1, 1)
    with wine.started(program, *arguments, cwd=other_cwd) as process:
        box, image = msgbox.box_of(process)
        image.save(tmp_path / "box.png")
        assert server.commands() == before   # the order waits for the answer
        if answer.endswith("while Enter is held"):
            screen.click_while_held("Return", *box.buttons[1].centre)
        else:
            screen.key(answer)
        assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == after
    screen.wait_until(lambda: not msgbox.box_shown(), message="the box to go")

