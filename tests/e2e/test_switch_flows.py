"""The OS switch through the real pipe, its box answered with real input (the
branches are rows of the unit tables)."""
import pytest

from conftest import built
from orvex_e2e import msgbox, screen, trace_log, wine


# A click on Cancel while Enter is held answers nothing: the release of
# Enter answers OK, the focused button, and the order follows.
@pytest.mark.parametrize("profile, arguments, value, before, answer, exit_code, after", [
    ("legacy", [], 0, [17, 24], "click", 1, [17, 24]),
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
        if answer == "click":
            screen.move_pointer(*box.buttons[0].centre, "click")
        elif answer.endswith("while Enter is held"):
            screen.click_while_held("Return", *box.buttons[1].centre)
        else:
            screen.key(answer)
        assert wine.exit_code(process, timeout=30) == exit_code
    assert server.commands() == after
    screen.wait_until(lambda: not msgbox.box_shown(), message="the box to go")


def test_a_confirmation_ended_by_another_programs_quit_orders_nothing(program, program_dir, other_cwd, script_server,
                                                                       show_msg):
    server = script_server("--profile", "ready")
    show_msg(2)
    with wine.started(program, "-now", cwd=other_cwd) as process:
        msgbox.box_of(process)
        assert wine.run(built("tests/support/box_message.exe"), "quit").exit_code == 0
        assert wine.exit_code(process, timeout=30) == 1
    assert server.commands() == [17, 24, 16]
    assert [record for record in trace_log.messages(program_dir) if record[0] == "ERROR"] == [
        ("ERROR", "The switch confirmation ended without an answer; no switch is ordered [ShowMsg=2].")]
