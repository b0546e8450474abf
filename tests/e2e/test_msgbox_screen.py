"""The message box as the screen shows it, at two screen sizes: the band,
the buttons and their frames, the icon and the text column, and the colours
of a button under the pointer and pressed."""
import pytest

from orvex_e2e import msgbox, screen, wine

LABELS = "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"
# Long enough to wrap over several lines of the column, short enough that
# even a wide substitute font keeps the band on a 1024 x 768 screen.
LONG_TEXT = " ".join(["The firmware keeps the preset when it does not answer."] * 6)


@pytest.fixture(scope="module", params=["session", "1920x1080"])
def session(request, tmp_path_factory):
    """The run's own display, and one of 1920 x 1080 with a prefix of its own."""
    if request.param == "session":
        yield screen.current_session()
    else:
        with screen.wine_session(1920, 1080, tmp_path_factory.mktemp("large")) as large:
            yield large


def show(viewer, session, text, caption, style, timeout=-1, labels=True):
    arguments = (["-labels", LABELS] if labels else []) + [text, caption, str(style), str(timeout)]
    # Keep the pointer off the buttons so that none shows the hover colour.
    screen.move_pointer(1, 1, env=session.env)
    return wine.started(viewer, *arguments, env=session.env)


def non_band_columns(image, box, exclude=()):
    """The x of every pixel inside the band that is not band colour, apart
    from the rectangles in exclude."""
    xs = set()
    for y in range(box.band_top, box.band_bottom):
        for x in range(box.width):
            if image.getpixel((x, y)) != msgbox.BAND and not any(
                    b.left <= x < b.right and b.top <= y < b.bottom for b in exclude):
                xs.add(x)
    return xs


@pytest.mark.parametrize("style, count", [(0, 1), (0x23, 3)])
def test_band_and_buttons_sit_where_the_layout_puts_them(session, msgbox_viewer, style, count):
    width, height = session.width, session.height
    with show(msgbox_viewer, session, "A message that the box shows.", "Caption", style) as process:
        box, image = msgbox.wait_for_box(session.env, buttons=count)
        assert (box.width, box.height) == (width, height)

        # The band spans the whole width, centred in height; above and below
        # it nothing of the band shows.
        assert box.band_top == (height - box.band_height) // 2
        assert box.band_height >= 82
        for y in (box.band_top, box.band_bottom - 1):
            assert all(value == msgbox.BAND for value in screen.row(image, y))
        for y in (box.band_top - 1, box.band_bottom):
            assert msgbox.BAND not in set(screen.row(image, y))

        # Buttons 90 x 32, 15 apart, the rightmost ending at three quarters
        # of the width and 15 above the band's bottom.
        assert box.buttons[-1].right == width * 3 // 4
        for button in box.buttons:
            assert (button.right - button.left, button.bottom - button.top) == (90, 32)
            assert button.bottom == box.band_bottom - 15
            # A white frame of 2 pixels around a face of the resting colour.
            left, top, right, bottom = button.face
            assert screen.count_other_pixels(image, (button.left, button.top, button.right, top), [msgbox.FRAME]) == 0
            assert screen.count_other_pixels(image, (button.left, bottom, button.right, button.bottom), [msgbox.FRAME]) == 0
            assert screen.count_other_pixels(image, (button.left, top, left, bottom), [msgbox.FRAME]) == 0
            assert screen.count_other_pixels(image, (right, top, button.right, bottom), [msgbox.FRAME]) == 0
            assert msgbox.face_colour(image, button) == msgbox.BUTTON
            # The caption is drawn in the face.
            assert msgbox.caption_pixels(image, button, msgbox.TEXT) > 0
        for first, second in zip(box.buttons, box.buttons[1:]):
            assert second.left - first.right == 15

        screen.key("Escape", env=session.env)
        assert wine.exit_code(process) == 2


def test_the_icon_sits_left_of_the_text_column(session, msgbox_viewer):
    width = session.width
    column_left = width // 4
    icon_strip = (column_left - 32 - 20, column_left - 20)
    # A system icon and the program's own (information) one; none.
    for style, has_icon in ((0x10, True), (0x40, True), (0x00, False)):
        with show(msgbox_viewer, session, "Text beside the icon.", "Caption", style) as process:
            box, image = msgbox.wait_for_box(session.env, buttons=1)
            xs = non_band_columns(image, box, exclude=box.buttons)
            in_strip = {x for x in xs if icon_strip[0] <= x < icon_strip[1]}
            # Nothing left of the icon, nothing between it and the column.
            assert not {x for x in xs if x < icon_strip[0]}
            assert not {x for x in xs if icon_strip[1] <= x < column_left}
            assert bool(in_strip) == has_icon, f"style {style:#x}"
            screen.key("Escape", env=session.env)
            assert wine.exit_code(process) == 2


def test_a_long_text_stays_in_its_column(session, msgbox_viewer):
    width = session.width
    with show(msgbox_viewer, session, LONG_TEXT, "A caption far too long to fit its line " * 8, 0x41) as process:
        box, image = msgbox.wait_for_box(session.env, buttons=2)
        xs = non_band_columns(image, box, exclude=box.buttons)
        text_xs = {x for x in xs if x >= width // 4}
        assert text_xs, "the text is drawn"
        assert min(text_xs) < width // 4 + 10
        # Wrapped and cut: nothing reaches past 15 pixels before the buttons.
        assert max(text_xs) < box.buttons[-1].left - 15
        screen.key("Escape", env=session.env)
        assert wine.exit_code(process) == 2


def test_hover_and_pressed_faces_follow_the_pointer_and_the_left_button(session, msgbox_viewer):
    env = session.env
    with show(msgbox_viewer, session, "Pointer", "Caption", 1) as process:
        box, _ = msgbox.wait_for_box(env, buttons=2)
        ok, cancel = box.buttons

        screen.move_pointer(*cancel.centre, env=env)
        image = msgbox.wait_for_face(cancel, msgbox.HOVER, env)
        assert msgbox.face_colour(image, ok) == msgbox.BUTTON

        screen.mouse_down(env=env)
        image = msgbox.wait_for_face(cancel, msgbox.PRESSED, env)
        assert msgbox.caption_pixels(image, cancel, msgbox.PRESSED_TEXT) > 0, "a black caption"
        assert msgbox.face_colour(image, ok) == msgbox.BUTTON

        # Held down and dragged over the other button: it shows no hover.
        screen.move_pointer(*ok.centre, env=env)

        def unchanged():
            image = screen.screenshot(env)
            return (msgbox.face_colour(image, cancel) == msgbox.PRESSED
                    and msgbox.face_colour(image, ok) == msgbox.BUTTON)
        assert screen.holds(unchanged, 1.0)

        # Released over the other button: no answer; the pointer's button
        # now shows the hover colour.
        screen.mouse_up(env=env)
        image = msgbox.wait_for_face(ok, msgbox.HOVER, env)
        assert msgbox.face_colour(image, cancel) == msgbox.BUTTON
        assert process.poll() is None

        screen.move_pointer(1, 1, env=env)
        msgbox.wait_for_face(ok, msgbox.BUTTON, env)
        screen.key("Escape", env=env)
        assert wine.exit_code(process) == 2
