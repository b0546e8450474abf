"""The message box on the screen: a band across the whole width with its
buttons (90 x 32 in white 2-pixel frames at 96 DPI) 15 pixels above its
bottom. Under Wine without a compositor the dimmed veil shows as black."""
from dataclasses import dataclass

from . import screen

BAND, BUTTON, HOVER = (31, 0, 104), (70, 23, 180), (95, 55, 190)
WHITE = (255, 255, 255)   # frames, captions, the pressed face


def scaled(value, dpi):
    """A distance designed at 96 DPI at another resolution, rounded as MulDiv does."""
    return (value * dpi + 48) // 96


@dataclass(frozen=True)
class Button:
    left: int
    top: int
    right: int    # right and bottom excluded
    bottom: int
    frame: int = 2

    @property
    def centre(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    @property
    def face(self):
        return (self.left + self.frame, self.top + self.frame, self.right - self.frame, self.bottom - self.frame)


@dataclass(frozen=True)
class Box:
    width: int
    band_top: int
    band_bottom: int   # excluded
    buttons: tuple


def find_box(image, dpi=96):
    """The box in a screenshot, or None: the band is the longest run of band
    colour down both edges; the buttons are found in the row just inside their
    faces' top, where neither caption nor focus mark reaches."""
    width, height, margin, edge = (scaled(value, dpi) for value in (90, 32, 15, 2))
    left, right = screen.column(image, 0), screen.column(image, image.width - 1)
    runs = [y for y in range(image.height) if left[y] == BAND == right[y]]
    if not runs:
        return None
    band, start = (runs[0], runs[0] + 1), runs[0]
    for previous, y in zip(runs, runs[1:] + [None]):
        if y != previous + 1:
            band = max(band, (start, previous + 1), key=lambda b: b[1] - b[0])
            start = y
    top = band[1] - margin - height
    values, frame = screen.row(image, top + edge + 1), screen.row(image, top)
    buttons, x = [], 0
    while top > 0 and x + width <= image.width:
        r = x + width
        if (values[x:x + edge] == values[r - edge:r] == [WHITE] * edge and len(set(values[x + edge:r - edge])) == 1
                and WHITE not in (values[x - 1:x] + values[r:r + 1]) and frame[x:r] == [WHITE] * width):
            buttons.append(Button(x, top, r, top + height, edge))
            x = r
        else:
            x += 1
    return Box(image.width, band[0], band[1], tuple(buttons)) if buttons else None


def box_of(process, timeout=30, dpi=96, area=None):
    """(box, screenshot) once a running program shows its box, in the area (left, top, right,
    bottom) of the screen when one is given; fails when the program ends first."""
    def look():
        assert process.poll() is None, f"the program ended with {process.returncode} before its box showed"
        image = screen.screenshot().crop(area) if area else screen.screenshot()
        box = find_box(image, dpi)
        return box and (box, image)
    return screen.wait_until(look, timeout, message="the box")


def box_shown():
    return find_box(screen.screenshot()) is not None


def face_colour(image, button):
    return image.getpixel((button.left + 5, button.top + 3))


def wait_for_face(button, colour):
    def look():
        image = screen.screenshot()
        return image if face_colour(image, button) == colour else None
    return screen.wait_until(look, message=f"the face of {button} in {colour}")
