"""The screen under Xvfb: screenshots, pixels, keys and the pointer.

Every function takes an optional ``env`` (a dict of environment variables)
that names the display (DISPLAY) and, for Wine, the prefix (WINEPREFIX); the
default is the test run's own session. Every wait has a bound and raises
AssertionError when it runs out.

    image = screen.screenshot()
    screen.key("Tab"); screen.key("Return")
    screen.click(600, 410)
"""
import io
import os
import shutil
import subprocess
import time
from contextlib import contextmanager
from dataclasses import dataclass, field
from pathlib import Path

from PIL import Image

DEFAULT_TIMEOUT = 15.0
POLL_INTERVAL = 0.1


def _env(env=None):
    merged = dict(os.environ)
    if env:
        merged.update(env)
    return merged


def _run(arguments, env=None, timeout=DEFAULT_TIMEOUT, check=True):
    completed = subprocess.run(arguments, env=_env(env), stdin=subprocess.DEVNULL, capture_output=True,
                               timeout=timeout)
    if check and completed.returncode != 0:
        raise AssertionError(f"{arguments[0]} failed ({completed.returncode}): "
                             f"{completed.stderr.decode('utf-8', 'replace')}")
    return completed


# --- waiting ---------------------------------------------------------------

def wait_until(predicate, timeout=DEFAULT_TIMEOUT, interval=POLL_INTERVAL, message="condition"):
    """Calls predicate until it returns something true and returns that;
    AssertionError after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {message}")
        time.sleep(interval)


def holds(predicate, duration, interval=POLL_INTERVAL):
    """Whether predicate stays true at every look for duration seconds: for
    checking that something does not happen."""
    deadline = time.monotonic() + duration
    while True:
        if not predicate():
            return False
        if time.monotonic() >= deadline:
            return True
        time.sleep(interval)


# --- screenshots and pixels ------------------------------------------------

def screenshot(env=None, save_to=None):
    """The whole screen as an RGB PIL image; also saved as PNG to save_to."""
    completed = _run(["import", "-window", "root", "png:-"], env=env)
    image = Image.open(io.BytesIO(completed.stdout)).convert("RGB")
    if save_to is not None:
        image.save(save_to)
    return image


def screen_size(env=None):
    """(width, height) of the display."""
    return screenshot(env).size


def pixel(image, x, y):
    """The (r, g, b) at x, y."""
    return image.getpixel((x, y))


def count_pixels(image, box, colours):
    """How many pixels of box (left, top, right, bottom; right and bottom
    excluded) have one of the colours."""
    colours = set(colours)
    region = image.crop(box)
    return sum(1 for value in region.getdata() if value in colours)


def count_other_pixels(image, box, colours):
    """How many pixels of box have none of the colours."""
    left, top, right, bottom = box
    return (right - left) * (bottom - top) - count_pixels(image, box, colours)


def runs(values):
    """[(start, end, value)] of the equal neighbours in a sequence; end
    excluded."""
    found = []
    start = 0
    for index in range(1, len(values) + 1):
        if index == len(values) or values[index] != values[start]:
            found.append((start, index, values[start]))
            start = index
    return found


def row(image, y):
    return [image.getpixel((x, y)) for x in range(image.width)]


def column(image, x):
    return [image.getpixel((x, y)) for y in range(image.height)]


# --- keyboard and pointer --------------------------------------------------

def key(*keys, env=None):
    """Presses and releases each key in turn (X key names: Tab, Return,
    space, Escape)."""
    _run(["xdotool", "key", "--delay", "50", *keys], env=env)


def key_down(name, env=None):
    _run(["xdotool", "keydown", name], env=env)


def key_up(name, env=None):
    _run(["xdotool", "keyup", name], env=env)


def move_pointer(x, y, env=None):
    # No --sync: it waits for ever when the pointer is already there. X
    # keeps the order of the events anyway.
    _run(["xdotool", "mousemove", str(x), str(y)], env=env)


def mouse_down(button=1, env=None):
    _run(["xdotool", "mousedown", str(button)], env=env)


def mouse_up(button=1, env=None):
    _run(["xdotool", "mouseup", str(button)], env=env)


def click(x, y, button=1, env=None):
    """Moves the pointer to x, y and clicks there."""
    move_pointer(x, y, env)
    _run(["xdotool", "click", str(button)], env=env)


# --- displays of other sizes -----------------------------------------------

@dataclass
class Session:
    """A display (and for Wine a prefix) that programs run on: pass env to
    wine.run/start and to the functions above."""
    env: dict
    width: int
    height: int
    processes: list = field(default_factory=list)


def current_session():
    """The display and prefix of the test run (DISPLAY, WINEPREFIX)."""
    env = {name: os.environ[name] for name in ("DISPLAY", "WINEPREFIX") if name in os.environ}
    width, height = screen_size(env)
    return Session(env, width, height)


def _start_xvfb(width, height):
    """An Xvfb on a display number that it picks itself; (Popen, ":n")."""
    read_end, write_end = os.pipe()
    process = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        number = b""
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        os.set_blocking(read_end, False)
        while not number.endswith(b"\n"):
            if process.poll() is not None or time.monotonic() >= deadline:
                raise AssertionError("Xvfb did not start")
            try:
                chunk = os.read(read_end, 16)
            except BlockingIOError:
                chunk = b""
            if chunk:
                number += chunk
            else:
                time.sleep(POLL_INTERVAL)
    except BaseException:
        process.kill()
        process.wait()
        raise
    finally:
        os.close(read_end)
    return process, f":{number.decode().strip()}"


@contextmanager
def wine_session(width, height, workdir):
    """A display of the given size with a Wine prefix and server of its own.

    Wine keeps the screen size that its first program found for as long as
    the prefix's server runs, so a second size needs a second prefix: this
    copies the run's prefix into workdir. Everything started here is ended
    here: the server of the copy, then the Xvfb by its id.
    """
    source = Path(os.environ["WINEPREFIX"])
    prefix = Path(workdir) / f"wine-prefix-{width}x{height}"
    _run(["cp", "-a", "--reflink=auto", str(source), str(prefix)], timeout=300)
    xvfb, display = _start_xvfb(width, height)
    env = {"DISPLAY": display, "WINEPREFIX": str(prefix)}
    try:
        # The server and the services that the warm-up starts stay behind;
        # with no output attached they hold no pipe of ours open.
        for arguments in (["wineserver", "-p"], ["wine", "cmd", "/c", "exit"]):
            subprocess.run(arguments, env=_env(env), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=120)
        yield Session(env, width, height, [xvfb])
    finally:
        subprocess.run(["wineserver", "-k"], env=_env(env), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        xvfb.terminate()
        try:
            xvfb.wait(timeout=DEFAULT_TIMEOUT)
        except subprocess.TimeoutExpired:
            xvfb.kill()
            xvfb.wait()
        shutil.rmtree(prefix, ignore_errors=True)
