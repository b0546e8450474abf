"""The message box as the screen shows it, on the run's display, through the
box viewer: band, buttons and frames, icon, text column, and the colours of a
button under the pointer and pressed. Every position is derived from the
screen size and what the program measured (the band's height), never from
the fonts of this machine."""
from conftest import built
from orvex_e2e import msgbox, screen, wine

LABELS = "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"


def show(text, caption, style, extra_env=None):
    screen.move_pointer(1, 1)   # no button under the pointer
    return wine.started(built("tools/msgbox_viewer/msgbox_viewer.exe"), "-labels", LABELS, text, caption,
                        str(style), "-1", env=extra_env)


def non_band_columns(image, box):
    """The x of every pixel inside the band that is neither band colour nor part of a button."""
    return {x for y in range(box.band_top, box.band_bottom) for x in range(box.width)
            if image.getpixel((x, y)) != msgbox.BAND
            and not any(b.left <= x < b.right and b.top <= y < b.bottom for b in box.buttons)}


def test_band_buttons_and_icon_sit_where_the_layout_puts_them(tmp_path):
    with show("A message that the box shows.", "Caption", 0x23) as process:
        box, image = msgbox.box_of(process)
        image.save(tmp_path / "box.png")
        width, height = image.size
        assert box.band_top == (height - (box.band_bottom - box.band_top)) // 2
        assert box.band_bottom - box.band_top >= 82
        assert msgbox.BAND not in screen.row(image, box.band_top - 1) + screen.row(image, box.band_bottom)
        assert len(box.buttons) == 3 and box.buttons[-1].right == width * 3 // 4
        for first, second in zip(box.buttons, box.buttons[1:]):
            assert second.left - first.right == 15
        for button in box.buttons:
            assert button.bottom == box.band_bottom - 15
            assert msgbox.face_colour(image, button) == msgbox.BUTTON
            assert screen.count_other_pixels(image, button.face, [msgbox.BUTTON]) > 0, "a caption is drawn"
        # The icon left of the column, nothing further left or between.
        xs = non_band_columns(image, box)
        column = width // 4
        assert {x for x in xs if x < column} and all(column - 52 <= x < column - 20 for x in xs if x < column)
        screen.key("Escape")
        assert wine.exit_code(process) == 2


def test_a_long_text_wraps_inside_its_column_and_no_icon_shows(tmp_path):
    # Six sentences wrap over a few lines in any font and keep the band on the screen.
    text = " ".join(["The firmware keeps the preset when it does not answer."] * 6)
    with show(text, "A caption far too long to fit its line " * 8, 0x01) as process:
        box, image = msgbox.box_of(process)
        image.save(tmp_path / "box.png")
        xs = non_band_columns(image, box)
        assert xs and min(xs) >= box.width // 4 and max(xs) < box.buttons[-1].left - 15
        screen.key("Escape")
        assert wine.exit_code(process) == 2


def test_the_face_under_the_pointer_shows_the_hover_colour_and_a_pressed_one_white():
    with show("Pointer", "Caption", 1) as process:
        box, _ = msgbox.box_of(process)
        ok, cancel = box.buttons
        screen.move_pointer(*cancel.centre)
        assert msgbox.face_colour(msgbox.wait_for_face(cancel, msgbox.HOVER), ok) == msgbox.BUTTON
        screen.mouse_down()
        image = msgbox.wait_for_face(cancel, msgbox.WHITE)
        assert screen.count_other_pixels(image, cancel.face, [msgbox.WHITE]) > 0, "a dark caption"
        screen.move_pointer(*ok.centre)   # no other face shows the hover colour while one is pressed
        assert screen.holds(lambda: msgbox.face_colour(screen.screenshot(), ok) == msgbox.BUTTON, 1.0)
        screen.mouse_up()   # released elsewhere: no answer
        msgbox.wait_for_face(ok, msgbox.HOVER)
        screen.key("Escape")
        assert wine.exit_code(process) == 2


def test_a_right_to_left_locale_mirrors_the_box():
    # Wine takes the user-interface language from the locale of the process.
    with show("Mirrored", "Caption", 0x41, extra_env={"LC_ALL": "he_IL.UTF-8"}) as process:
        box, image = msgbox.box_of(process)
        assert box.buttons[0].left == image.width - image.width * 3 // 4
        screen.key("Escape")
        assert wine.exit_code(process) == 2
