"""The message box on the screen: find it in a screenshot, wait for it,
look at its buttons and answer it.

    box, image = msgbox.wait_for_box(buttons=2)
    assert msgbox.face_colour(image, box.buttons[0]) == msgbox.BUTTON
    msgbox.press_button(box, 1)          # a click on the second button
    screen.key("Escape")                 # or any key, through screen.key

The box is a band of BAND across the whole width of the screen, centred in
height, with its buttons (90 x 32, white 2-pixel frames, 15 pixels apart)
right-aligned at three quarters of the width and 15 pixels above the band's
bottom. Under Wine without a compositor the dimmed veil shows as black.
"""
from dataclasses import dataclass

from . import screen

BAND = (31, 0, 104)
BUTTON = (70, 23, 180)
HOVER = (95, 55, 190)
PRESSED = (255, 255, 255)
FRAME = (255, 255, 255)
TEXT = (255, 255, 255)
PRESSED_TEXT = (0, 0, 0)

BUTTON_WIDTH = 90
BUTTON_HEIGHT = 32
BUTTON_GAP = 15
BUTTON_MARGIN = 15   # between the buttons' bottoms and the band's bottom
FRAME_WIDTH = 2


@dataclass(frozen=True)
class Button:
    left: int
    top: int
    right: int    # excluded
    bottom: int   # excluded

    @property
    def centre(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    @property
    def face(self):
        """The face: the button inside its frame (left, top, right, bottom)."""
        return (self.left + FRAME_WIDTH, self.top + FRAME_WIDTH, self.right - FRAME_WIDTH,
                self.bottom - FRAME_WIDTH)


@dataclass(frozen=True)
class BoxOnScreen:
    width: int
    height: int
    band_top: int
    band_bottom: int   # excluded
    buttons: tuple     # Button, left to right

    @property
    def band_height(self):
        return self.band_bottom - self.band_top


def find_band(image):
    """(top, bottom) of the longest run of band colour down the screen's left
    edge that the right edge shares; None when there is none."""
    left = screen.column(image, 0)
    right = screen.column(image, image.width - 1)
    best = None
    for start, end, value in screen.runs(left):
        if value != BAND or any(right[y] != BAND for y in range(start, end)):
            continue
        if best is None or end - start > best[1] - best[0]:
            best = (start, end)
    return best


def find_buttons(image, band_bottom):
    """The buttons in the row just inside their faces' top, where neither a
    caption nor the focus mark reaches: each a run of 90 pixels with 2 white
    ones at either end, one colour between, and none of the frame's white
    just outside."""
    top = band_bottom - BUTTON_MARGIN - BUTTON_HEIGHT
    if top < 0:
        return ()
    values = screen.row(image, top + FRAME_WIDTH + 1)
    frame_row = screen.row(image, top)
    found = []
    x = 0
    while x + BUTTON_WIDTH <= image.width:
        right = x + BUTTON_WIDTH
        inner = values[x + FRAME_WIDTH:right - FRAME_WIDTH]
        if (values[x] == FRAME and values[x + 1] == FRAME and values[right - 2] == FRAME
                and values[right - 1] == FRAME and len(set(inner)) == 1
                and (x == 0 or values[x - 1] != FRAME) and (right == image.width or values[right] != FRAME)
                and all(value == FRAME for value in frame_row[x:right])):
            found.append(Button(x, top, right, top + BUTTON_HEIGHT))
            x = right
        else:
            x += 1
    return tuple(found)


def find_box(image):
    """The box in a screenshot, or None."""
    band = find_band(image)
    if band is None:
        return None
    buttons = find_buttons(image, band[1])
    if not buttons:
        return None
    return BoxOnScreen(image.width, image.height, band[0], band[1], buttons)


def wait_for_box(env=None, buttons=None, timeout=screen.DEFAULT_TIMEOUT):
    """Waits until a box (with that many buttons, if given) is on the screen;
    returns it with the screenshot it was found in."""
    def look():
        image = screen.screenshot(env)
        box = find_box(image)
        if box is None or (buttons is not None and len(box.buttons) != buttons):
            return None
        return box, image
    return screen.wait_until(look, timeout, message="a message box on the screen")


def box_of(process, env=None, timeout=30):
    """The box that a running program shows, with the screenshot it was found
    in; None when the program ends without showing one."""
    def look():
        if process.poll() is not None:
            return "ended"
        image = screen.screenshot(env)
        box = find_box(image)
        return (box, image) if box is not None else None
    found = screen.wait_until(look, timeout, message="the box or the program's end")
    return None if found == "ended" else found


def box_shown(env=None):
    """Whether a box is on the screen now."""
    return find_box(screen.screenshot(env)) is not None


def face_colour(image, button):
    """The colour of a button's face, read above its caption."""
    return screen.pixel(image, button.left + FRAME_WIDTH + 3, button.top + FRAME_WIDTH + 1)


def focus_mark_shown(image, button):
    """Whether the dotted focus mark runs along the top of the face."""
    left, top, right, _ = button.face
    y = top + 2
    colours = {screen.pixel(image, x, y) for x in range(left + 2, right - 2)}
    return len(colours) > 1


def caption_pixels(image, button, colour):
    """How many pixels of the face (its frame excluded) have colour."""
    return screen.count_pixels(image, button.face, [colour])


def wait_for_face(button, colour, env=None, timeout=screen.DEFAULT_TIMEOUT):
    """Waits until the button's face shows colour; returns the screenshot."""
    def look():
        image = screen.screenshot(env)
        return image if face_colour(image, button) == colour else None
    return screen.wait_until(look, timeout, message=f"the face of {button} in {colour}")


def press_button(box, index, env=None):
    """Clicks the button at index (0 is the leftmost). A press at the same
    spot as one within the platform's double-click time is a double click,
    which the box ignores: click elsewhere on the button then."""
    x, y = box.buttons[index].centre
    screen.click(x, y, env=env)
