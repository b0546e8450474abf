"""The message box as the screen shows it, through the box viewer. Every position
is derived from the screen size, the scale and the band's height, which the
program measured, never from the fonts of this machine."""
from PIL import Image, ImageChops
import pytest

from conftest import LABELS, built, viewer
from orvex_e2e import msgbox, screen, wine


def show(text, caption, style, env=None):
    screen.move_pointer(1, 1)   # no button under the pointer
    return viewer(text, caption, style, "-labels", LABELS, env=env)


def non_band_columns(image, box):
    """The x of every pixel inside the band that is neither band colour nor part of a button."""
    return {x for y in range(box.band_top, box.band_bottom) for x in range(box.width)
            if image.getpixel((x, y)) != msgbox.BAND
            and not any(b.left <= x < b.right and b.top <= y < b.bottom for b in box.buttons)}


def ink(image, area):
    """What is drawn in area (left, top, right, bottom) on the colour of its corner, cropped to its extent."""
    part = image.crop(area)
    extent = ImageChops.difference(part, Image.new("RGB", part.size, part.getpixel((0, 0)))).getbbox()
    return extent and (part.crop(extent).size, part.crop(extent).tobytes())


@pytest.mark.parametrize("dpi", [96, 144, 192])
def test_the_box_keeps_its_proportions_at_every_scale(prefix, dpi):
    # Each program reads the scale of its prefix when it starts.
    assert wine.run("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
                    str(dpi), "/f", env=prefix).exit_code == 0
    s = lambda value: msgbox.scaled(value, dpi)
    text = "The firmware keeps the preset when it does not answer. It wraps in any font."
    with show(text, "A caption far too long to fit its line " * 8, 0x43, env=prefix) as process:
        box, image = msgbox.box_of(process, dpi=dpi)
        width = image.width
        # The layout's arithmetic is a unit table's; here, each part drawn where it put it.
        assert msgbox.BAND not in screen.row(image, box.band_top - 1) + screen.row(image, box.band_bottom)
        assert len(box.buttons) == 3 and box.buttons[-1].right == width * 3 // 4
        for button in box.buttons:
            assert [image.getpixel((button.left + s(10), y)) for y in (button.top - 1, button.top, button.bottom - 1,
                                                                      button.bottom)] == [msgbox.BAND, *[msgbox.WHITE] * 2, msgbox.BAND]
            left, top, right, bottom = button.face
            edges = [(left, top, right, top + 1), (left, bottom - 1, right, bottom), (left, top, left + 1, bottom),
                     (right - 1, top, right, bottom)]
            assert all(screen.count_other_pixels(image, edge, [msgbox.BUTTON]) == 0 for edge in edges), \
                "the caption lies inside its face"
            assert screen.count_other_pixels(image, button.face, [msgbox.BUTTON]) > 0, "a caption is drawn"
        # The texts inside their column, the icon at its scaled size left of it, nothing between.
        xs = non_band_columns(image, box)
        column = width // 4
        icon = [x for x in xs if x < column]
        assert max(xs) < box.buttons[-1].left - s(15)
        assert column - s(20) - s(32) <= min(icon) and max(icon) < column - s(20)
        assert max(icon) - min(icon) + 1 > s(32) * 3 // 4, "drawn from an image of its size"
        screen.key("Return")
        assert wine.exit_code(process) == 6   # Yes


def test_a_repaint_of_part_of_the_box_moves_nothing_and_the_face_under_the_pointer_changes_colour():
    with show("Pointer", "Caption", 1) as process:
        box, before = msgbox.box_of(process)
        ok, cancel = box.buttons
        assert wine.run(built("tests/support/box_message.exe"), "repaint").exit_code == 0
        assert screen.holds(lambda: screen.screenshot().tobytes() == before.tobytes(), 0.5)
        screen.move_pointer(*cancel.centre)
        assert msgbox.face_colour(msgbox.wait_for_face(cancel, msgbox.HOVER), ok) == msgbox.BUTTON
        screen.move_pointer(*cancel.centre, "mousedown")
        image = msgbox.wait_for_face(cancel, msgbox.WHITE)
        assert screen.count_other_pixels(image, cancel.face, [msgbox.WHITE]) > 0, "a dark caption"
        screen.move_pointer(*ok.centre)   # no other face shows the hover colour while one is pressed
        assert screen.holds(lambda: msgbox.face_colour(screen.screenshot(), ok) == msgbox.BUTTON, 1.0)
        screen.move_pointer(*ok.centre, "mouseup")   # released elsewhere: no answer
        msgbox.wait_for_face(ok, msgbox.HOVER)
        screen.move_pointer(*ok.centre, "click")   # where OK was before the repaint
        assert wine.exit_code(process) == 1


def test_right_to_left_the_box_is_mirrored_and_its_texts_and_icon_are_not():
    # Wine takes the user-interface language from the locale of the process,
    # whether or not this machine has that locale's data.
    looks = []
    for env in (None, {"LC_ALL": "he_IL.UTF-8"}):
        with show("Going to switch to android OS.", "Caption", 0x41, env=env) as process:
            looks.append(msgbox.box_of(process))
            screen.key("Escape")
            assert wine.exit_code(process) == 2
    (plain, image), (mirrored, mirrored_image) = looks
    width = image.width
    mirror = lambda area: (width - area[2], area[1], width - area[0], area[3])
    assert [(b.left, b.right) for b in mirrored.buttons] == [(width - b.right, width - b.left)
                                                            for b in reversed(plain.buttons)]
    # The icon, each line of text and each caption: the same pixels, moved
    # to the mirrored place, not reflected.
    column = (width // 4, plain.band_top, plain.buttons[-1].left - 15, plain.buttons[0].top)
    areas = [(width // 4 - 52, plain.band_top, width // 4 - 20, plain.band_bottom)]
    rows = [y for y in range(column[1], column[3]) if ink(image, (column[0], y, column[2], y + 1))]
    for y in rows:
        if y - 1 not in rows:
            areas.append((column[0], y, column[2], next(r for r in range(y, column[3] + 1) if r not in rows)))
    assert len(areas) == 3, "the icon, the caption and a line of text"
    areas += [button.face for button in plain.buttons]
    assert [ink(mirrored_image, mirror(area)) for area in areas] == [ink(image, area) for area in areas]
