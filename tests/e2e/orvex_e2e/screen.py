"""The run's Xvfb display: screenshots, pixels, keys and the pointer, with
bounded waits (AssertionError when a wait runs out)."""
import io
import subprocess
import time

from PIL import Image

TIMEOUT = 15.0


def _run(*arguments):
    done = subprocess.run(arguments, stdin=subprocess.DEVNULL, capture_output=True, timeout=TIMEOUT)
    assert done.returncode == 0, f"{arguments[0]} failed: {done.stderr.decode('utf-8', 'replace')}"
    return done.stdout


def wait_until(predicate, timeout=TIMEOUT, message="condition"):
    """What predicate returns once it is true."""
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < deadline, f"timed out after {timeout} s waiting for {message}"
        time.sleep(0.1)
    return value


def holds(predicate, duration):
    """Whether predicate stays true at every look for duration seconds."""
    deadline = time.monotonic() + duration
    while predicate():
        if time.monotonic() >= deadline:
            return True
        time.sleep(0.1)
    return False


def screenshot():
    return Image.open(io.BytesIO(_run("import", "-window", "root", "png:-"))).convert("RGB")


def count_other_pixels(image, box, colours):
    """How many pixels of box (left, top, right, bottom exclusive) have none of the colours."""
    return sum(1 for value in image.crop(box).getdata() if value not in colours)


def row(image, y):
    return [image.getpixel((x, y)) for x in range(image.width)]


def column(image, x):
    return [image.getpixel((x, y)) for y in range(image.height)]


def key(*keys):
    """Presses and releases each key in turn (X names: Tab, Return, space, Escape)."""
    _run("xdotool", "key", "--delay", "50", *keys)


def click_while_held(key, x, y):
    _run("xdotool", "keydown", key, "mousemove", str(x), str(y), "click", "1", "keyup", key)


def move_pointer(x, y, *then):
    """Moves the pointer, then does what then says ("click", "mousedown", "mouseup"), to the left button."""
    _run("xdotool", "mousemove", str(x), str(y), *(part for action in then for part in (action, "1")))
