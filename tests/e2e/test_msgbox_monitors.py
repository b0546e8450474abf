"""The box on a desk of two monitors side by side: Xephyr shows them to Wine
through Xinerama (1024x768 primary, 1280x800 to its right) on an Xvfb of
its own, and the module's Wine prefix reads them from there. Screenshots,
keys and the pointer go to the Xephyr display (whose pointer stays left of
x 2048). The system colours of the prefix are changed, which must change
nothing while high contrast is off."""
import os
import select
import shutil
import subprocess
import time
from contextlib import contextmanager

import pytest

from conftest import built
from orvex_e2e import msgbox, reader, screen, wine

PRIMARY, SECOND = (0, 0, 1024, 768), (1024, 0, 2304, 800)
LABELS = "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"
# High-contrast-like colours that the box must not take while high contrast is off.
COLOURS = {"Window": "255 255 0", "WindowText": "0 0 255", "Hilight": "0 255 0", "HilightText": "255 0 0",
           "ButtonFace": "0 128 128", "ButtonText": "128 0 0"}
GREY = (200, 200, 200)


def x_server(*command, env=None):
    """A started X server and its display, on a number it picks itself; it
    never resets, so a pointer moved between two clients stays where it was."""
    read, write = os.pipe()
    process = subprocess.Popen([*command, "-displayfd", str(write), "-noreset", "-nolisten", "tcp"],
                               pass_fds=(write,), env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    os.close(write)
    # The number ends with a newline; a server that finds the pipe closed
    # before it wrote all of it stops.
    number, deadline = b"", time.monotonic() + 30
    while not number.endswith(b"\n") and select.select([read], [], [], max(0.0, deadline - time.monotonic()))[0]:
        if not (chunk := os.read(read, 16)):
            break
        number += chunk
    os.close(read)
    if not number.endswith(b"\n"):
        process.kill()
        process.wait(timeout=30)
        pytest.fail(f"{command[0]} did not start")
    return process, f":{number.decode().strip()}"


@pytest.fixture(scope="module", autouse=True)
def desk(tmp_path_factory):
    """The two monitors and a Wine prefix that sees them, for every test of
    the module: DISPLAY and WINEPREFIX point there until the module ends."""
    saved = {name: os.environ.get(name) for name in ("DISPLAY", "WINEPREFIX")}
    servers, folder = [], tmp_path_factory.mktemp("desk") / "prefix"
    try:
        servers.append(x_server("Xvfb", "-screen", "0", "2400x1000x24"))
        servers.append(x_server("Xephyr", "+xinerama", "-screen", "1024x768+0+0", "-screen", "1280x800+1024+0",
                                env={**os.environ, "DISPLAY": servers[0][1]}))
        # The host's pointer is kept off Xephyr's windows: moved over the
        # second one, Xephyr would take it as a move on the first.
        subprocess.run(["xdotool", "mousemove", "2399", "999"], env={**os.environ, "DISPLAY": servers[0][1]},
                       check=True, timeout=30)
        os.environ["DISPLAY"] = servers[1][1]
        os.environ.update(wine.create_prefix(folder, {"UseXRandR": "N"}))
        for name, value in COLOURS.items():
            assert wine.run("reg", "add", r"HKCU\Control Panel\Colors", "/v", name, "/d", value,
                            "/f").exit_code == 0
        # The desktop, which the first window starts, is up before any box.
        wine.run("rundll32.exe", "user32.dll,MessageBeep", capture=False)
        yield
    finally:
        if folder.exists():
            wine.stop_prefix({"WINEPREFIX": str(folder)})
            shutil.rmtree(folder, ignore_errors=True)
        for name, value in saved.items():
            os.environ.pop(name, None) if value is None else os.environ.__setitem__(name, value)
        for process, _ in reversed(servers):
            process.kill()
            process.wait(timeout=30)


@contextmanager
def plain_window(left, top, width, height):
    """A window of another program, grey inside a light frame, until the end of the block; gives the
    area of its grey."""
    process = subprocess.Popen(["display", "-geometry", f"+{left}+{top}", "-size", f"{width}x{height}",
                                f"xc:rgb{GREY}"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        area = (left + 4, top + 4, left + width - 4, top + height - 4)
        screen.wait_until(lambda: screen.count_other_pixels(screen.screenshot(), area, [GREY]) == 0,
                          message="the plain window")
        yield area
    finally:
        process.kill()
        process.wait(timeout=30)


def test_started_from_the_second_monitor_the_band_is_there_over_a_veil_on_both(program, other_cwd, script_server,
                                                                               show_msg, msaa_client):
    server = script_server("--profile", "ready")
    show_msg(2)
    with plain_window(1100, 40, 300, 150) as window, reader.started(msaa_client) as client:
        screen.move_pointer(1700, 60)
        with wine.started(program, cwd=other_cwd) as process:
            # Found by the box's own colours, which the prefix's system colours leave alone.
            found = msgbox.box_of(process, area=SECOND)
            assert found is not None, f"no box on the second monitor; commands {server.commands()}"
            box, _ = found
            assert box.width == 1280 and box.band_top == (800 - (box.band_bottom - box.band_top)) // 2
            assert box.buttons[-1].right == 1280 * 3 // 4
            whole = screen.screenshot()
            assert msgbox.find_box(whole.crop(PRIMARY)) is None
            # Every pixel of the other program's window is darker than it was.
            assert all(sum(pixel) < sum(GREY) for pixel in whole.crop(window).getdata())
            _, buttons = client.dialog()
            left = SECOND[0]   # the second monitor's top is the primary's
            assert [reader.location(b) for b in buttons] == [(left + b.left, b.top, left + b.right, b.bottom)
                                                              for b in box.buttons]
            x, y = box.buttons[0].centre
            screen.move_pointer(left + x, y, "click")
            assert wine.exit_code(process, timeout=30) == 0
    assert server.commands()[-1] == 20


def test_started_from_the_primary_the_band_is_there():
    screen.move_pointer(500, 60)
    with wine.started(built("tools/msgbox_viewer/msgbox_viewer.exe"), "-labels", LABELS, "On the primary",
                      "Caption", "1", "-1") as process:
        found = msgbox.box_of(process, area=PRIMARY)
        assert found is not None, "no box on the primary"
        box, _ = found
        assert box.width == 1024 and box.band_top == (768 - (box.band_bottom - box.band_top)) // 2
        assert msgbox.find_box(screen.screenshot().crop(SECOND)) is None
        screen.key("Return")
        assert wine.exit_code(process) == 1
