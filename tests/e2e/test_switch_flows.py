"""The OS switch through the real pipe: the stand-in script server answers,
the boxes are answered with real input, and the server's record shows which
firmware questions were asked. Every branch of the decisions is a row of the
actions' unit table; these runs show the program making them."""
import pytest

from orvex_e2e import msgbox, screen, wine


def has_icon(box, image):
    """Whether anything but the band shows where the icon goes, left of the
    text column that starts at a quarter of the width."""
    strip = (box.width // 4 - 52, box.band_top, box.width // 4 - 20, box.band_bottom)
    return screen.count_other_pixels(image, strip, [msgbox.BAND]) > 0


# (profile, arguments, ShowMsg, buttons and icon, commands before the box,
#  how it is answered, commands after, exit code)
@pytest.mark.parametrize("profile, arguments, value, shape, before, answer, after, exit_code", [
    ("legacy", [], 0, (1, True), [17, 24], "Return", [], 1),
    ("ready", [], 2, (2, True), [17, 24, 16, 24], "OK", [20], 0),
    ("ready", ["-now"], 0xFFFFFFFF, (2, True), [17, 24, 16], "Escape", [], 1),
])
def test_the_box_shown_and_its_answer_decide(program, other_cwd, config_tool, script_server, show_msg, tmp_path,
                                            profile, arguments, value, shape, before, answer, after, exit_code):
    server = script_server("--profile", profile)
    show_msg(value)
    screen.move_pointer(1, 1)
    with wine.started(program, *arguments, cwd=other_cwd) as process:
        found = msgbox.box_of(process)
        assert found is not None, f"no box; the program ended with {process.returncode}, commands {server.commands()}"
        box, image = found
        image.save(tmp_path / "box.png")
        assert (len(box.buttons), has_icon(box, image)) == shape
        assert server.commands() == before   # the order waits for the answer
        if answer == "OK":
            screen.click(*box.buttons[0].centre)
        else:
            screen.key(answer)
        assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == before + after
    screen.wait_until(lambda: not msgbox.box_shown(), message="the box to go")
