"""Answering the message box with the keyboard, the mouse and the clock,
through real X input (xdotool) on the run's display."""
import pytest

from orvex_e2e import msgbox, screen, wine

LABELS = "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"


@pytest.fixture
def session():
    return screen.current_session()


def show(viewer, session, style, timeout=-1, text="Answer me", caption="Caption", extra_env=None):
    env = dict(session.env, **(extra_env or {}))
    screen.move_pointer(1, 1, env=env)
    return wine.started(viewer, "-labels", LABELS, text, caption, str(style), str(timeout), env=env)


@pytest.mark.parametrize("style, keys, answer", [
    (0, ["Return"], 1),
    (1, ["Tab", "Return"], 2),
    (6, ["Tab", "Tab", "Return"], 11),
    (3, ["Tab", "Tab", "Tab", "space"], 6),   # round to the first again
])
def test_enter_or_space_answers_the_focused_button(session, msgbox_viewer, style, keys, answer):
    with show(msgbox_viewer, session, style) as process:
        msgbox.wait_for_box(session.env)
        screen.key(*keys, env=session.env)
        assert wine.exit_code(process) == answer


def test_tab_cycles_the_focus_and_shows_the_mark(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, 3) as process:
        box, image = msgbox.wait_for_box(env, buttons=3)
        assert not any(msgbox.focus_mark_shown(image, button) for button in box.buttons)
        for focused in (1, 2, 0):
            screen.key("Tab", env=env)

            def marked():
                shot = screen.screenshot(env)
                return [msgbox.focus_mark_shown(shot, button) for button in box.buttons]
            expected = [index == focused for index in range(3)]
            screen.wait_until(lambda: marked() == expected, message=f"the focus mark on button {focused}")
        screen.key("Return", env=env)
        assert wine.exit_code(process) == 6


# Where Escape does nothing, the Return after it answers the leftmost button.
@pytest.mark.parametrize("style, answer", [(0, 2), (1, 2), (3, 2), (6, 2), (2, 3), (4, 6)])
def test_escape_answers_cancel_only_where_the_style_allows_it(session, msgbox_viewer, style, answer):
    with show(msgbox_viewer, session, style) as process:
        msgbox.wait_for_box(session.env)
        screen.key("Escape", env=session.env)
        if answer != 2:
            screen.key("Escape", "Return", env=session.env)
        assert wine.exit_code(process) == answer


def test_escape_first_releases_a_held_press(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, 1) as process:
        box, _ = msgbox.wait_for_box(env, buttons=2)
        screen.key_down("Return", env=env)
        msgbox.wait_for_face(box.buttons[0], msgbox.PRESSED, env)
        screen.key("Escape", env=env)
        msgbox.wait_for_face(box.buttons[0], msgbox.BUTTON, env)
        # The release of the held key answers nothing now...
        screen.key_up("Return", env=env)
        assert screen.holds(lambda: process.poll() is None, 1.0)
        # ...and a second Escape answers cancel.
        screen.key("Escape", env=env)
        assert wine.exit_code(process) == 2


def test_a_click_while_space_or_enter_is_down_is_ignored(session, msgbox_viewer):
    env = session.env
    for held in ("space", "Return"):
        with show(msgbox_viewer, session, 1) as process:
            box, _ = msgbox.wait_for_box(env, buttons=2)
            ok, cancel = box.buttons
            screen.key_down(held, env=env)
            msgbox.wait_for_face(ok, msgbox.PRESSED, env)
            # Honoured, this click would answer cancel at once.
            msgbox.press_button(box, 1, env=env)
            assert screen.holds(lambda: process.poll() is None, 1.0)
            image = screen.screenshot(env)
            assert msgbox.face_colour(image, cancel) == msgbox.BUTTON
            assert msgbox.face_colour(image, ok) == msgbox.PRESSED
            screen.key_up(held, env=env)
            assert wine.exit_code(process) == 1, held


def test_a_click_answers_only_when_released_on_the_button_it_pressed(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, 3) as process:
        box, _ = msgbox.wait_for_box(env, buttons=3)
        yes, no, cancel = box.buttons
        screen.move_pointer(*cancel.centre, env=env)
        screen.mouse_down(env=env)
        msgbox.wait_for_face(cancel, msgbox.PRESSED, env)
        screen.move_pointer(*yes.centre, env=env)
        screen.mouse_up(env=env)
        msgbox.wait_for_face(yes, msgbox.HOVER, env)
        assert process.poll() is None
        # Released outside every button: nothing either.
        screen.move_pointer(*no.centre, env=env)
        screen.mouse_down(env=env)
        msgbox.wait_for_face(no, msgbox.PRESSED, env)
        screen.move_pointer(5, box.band_top - 20, env=env)
        screen.mouse_up(env=env)
        msgbox.wait_for_face(no, msgbox.BUTTON, env)
        assert process.poll() is None

        # Not where the last press was: a second press there so soon would
        # be a double click, which the box leaves to the default procedure.
        screen.click(no.left + 10, no.top + 10, env=env)
        assert wine.exit_code(process) == 7


def test_a_double_click_answers_with_its_first_click(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, 4) as process:
        box, _ = msgbox.wait_for_box(env, buttons=2)
        x, y = box.buttons[1].centre
        screen.move_pointer(x, y, env=env)
        screen.click(x, y, env=env)
        screen.click(x, y, env=env)
        assert wine.exit_code(process) == 7


def test_a_timeout_of_zero_answers_ok_at_once(session, msgbox_viewer):
    with show(msgbox_viewer, session, 2, timeout=0) as process:
        assert wine.exit_code(process) == 1


def test_a_five_second_timeout_answers_ok_after_five_seconds(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, 4, timeout=5) as process:
        msgbox.wait_for_box(env, buttons=2)
        # Still there well before its time...
        assert screen.holds(lambda: process.poll() is None and msgbox.box_shown(env), 2.0)
        # ...and gone with OK once it is up, although the box has no OK.
        assert wine.exit_code(process, timeout=30) == 1
        assert not msgbox.box_shown(env)


def test_a_right_to_left_language_mirrors_the_box(session, msgbox_viewer):
    # Wine takes the user-interface language from the locale of the process.
    env = session.env
    width = session.width
    with show(msgbox_viewer, session, 0x41, extra_env={"LC_ALL": "he_IL.UTF-8"}) as process:
        box, _ = msgbox.wait_for_box(env, buttons=2)
        # The rightmost button of the layout is the leftmost on the screen,
        # starting at a quarter of the width.
        assert box.buttons[0].left == width - width * 3 // 4
        assert box.buttons[1].left - box.buttons[0].right == 15
        screen.key("Escape", env=env)
        assert wine.exit_code(process) == 2

