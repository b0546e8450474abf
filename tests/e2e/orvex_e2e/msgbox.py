"""The message box on the screen: a band of BAND across the whole width,
centred in height, with its buttons (90 x 32 in white 2-pixel frames)
right-aligned at three quarters of the width, 15 pixels above the band's
bottom. Under Wine without a compositor the dimmed veil shows as black."""
from dataclasses import dataclass

from . import screen

BAND = (31, 0, 104)
BUTTON = (70, 23, 180)
HOVER = (95, 55, 190)
WHITE = (255, 255, 255)   # frames, captions, the pressed face
BLACK = (0, 0, 0)         # the pressed caption


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
        return (self.left + 2, self.top + 2, self.right - 2, self.bottom - 2)


@dataclass(frozen=True)
class Box:
    width: int
    band_top: int
    band_bottom: int   # excluded
    buttons: tuple     # left to right


def find_box(image):
    """The box in a screenshot, or None: the band is the longest run of band
    colour down both edges; the buttons are found in the row just inside their
    faces' top, where neither caption nor focus mark reaches."""
    left, right = screen.column(image, 0), screen.column(image, image.width - 1)
    band, start = None, 0
    for y in range(1, image.height + 1):
        if y == image.height or left[y] != left[start]:
            if left[start] == BAND and all(v == BAND for v in right[start:y]) and (
                    band is None or y - start > band[1] - band[0]):
                band = (start, y)
            start = y
    if band is None or band[1] < 47:
        return None
    top = band[1] - 15 - 32
    values, frame = screen.row(image, top + 3), screen.row(image, top)
    buttons, x = [], 0
    while x + 90 <= image.width:
        r = x + 90
        if (values[x:x + 2] == [WHITE] * 2 and values[r - 2:r] == [WHITE] * 2 and len(set(values[x + 2:r - 2])) == 1
                and (x == 0 or values[x - 1] != WHITE) and (r == image.width or values[r] != WHITE)
                and frame[x:r] == [WHITE] * 90):
            buttons.append(Button(x, top, r, top + 32))
            x = r
        else:
            x += 1
    return Box(image.width, band[0], band[1], tuple(buttons)) if buttons else None


def box_of(process, timeout=30):
    """(box, screenshot) once a running program shows its box; None when it
    ends without one."""
    def look():
        if process.poll() is not None:
            return "ended"
        image = screen.screenshot()
        box = find_box(image)
        return (box, image) if box else None
    found = screen.wait_until(look, timeout, message="the box or the program's end")
    return None if found == "ended" else found


def box_shown():
    return find_box(screen.screenshot()) is not None


def face_colour(image, button):
    """The colour of a button's face, read above its caption."""
    return image.getpixel((button.left + 5, button.top + 3))


def wait_for_face(button, colour):
    return screen.wait_until(lambda: (lambda image: image if face_colour(image, button) == colour else None)(
        screen.screenshot()), message=f"the face of {button} in {colour}")
