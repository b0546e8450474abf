"""The box on a desk of two monitors side by side, 1024x768 primary and 1280x800
to its right, which Xephyr shows through Xinerama to the module's Wine prefix;
screenshots, keys and the pointer go to Xephyr. The prefix's system colours are
changed, which must change nothing while high contrast is off."""
import os
import subprocess
from contextlib import contextmanager

import pytest

from orvex_e2e import msgbox, reader, screen, wine

PRIMARY, SECOND = (0, 0, 1024, 768), (1024, 0, 2304, 800)
# High-contrast-like colours that the box must not take while high contrast is off.
COLOURS = {"Window": "255 255 0", "WindowText": "0 0 255", "Hilight": "0 255 0", "HilightText": "255 0 0",
           "ButtonFace": "0 128 128", "ButtonText": "128 0 0"}
GREY = (200, 200, 200)


def x_server(folder, *command, env=None):
    """A started X server and its display, on a number it picks itself; it
    never resets, so a pointer moved between two clients stays where it was."""
    number = folder / f"{command[0]}.display"
    with number.open("wb") as out:
        process = subprocess.Popen([*command, "-displayfd", str(out.fileno()), "-noreset", "-nolisten", "tcp"],
                                   pass_fds=(out.fileno(),), env=env, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        # The number is whole once its newline is written.
        text = screen.wait_until(lambda: (shown := number.read_text()).endswith("\n") and shown, 30,
                                 message=f"{command[0]} to start")
    except AssertionError:
        process.kill()
        process.wait(timeout=30)
        raise
    return process, f":{text.strip()}"


@pytest.fixture(scope="module", autouse=True)
def desk(tmp_path_factory):
    """The two monitors and a Wine prefix that sees them, for every test of
    the module: DISPLAY and WINEPREFIX point there until the module ends."""
    servers, folder = [], tmp_path_factory.mktemp("desk")
    try:
        servers.append(x_server(folder, "Xvfb", "-screen", "0", "2400x1000x24"))
        servers.append(x_server(folder, "Xephyr", "+xinerama", "-screen", "1024x768+0+0", "-screen",
                                "1280x800+1024+0", env={**os.environ, "DISPLAY": servers[0][1]}))
        # The host's pointer is kept off Xephyr's windows: moved over the
        # second one, Xephyr would take it as a move on the first.
        subprocess.run(["xdotool", "mousemove", "2399", "999"], env={**os.environ, "DISPLAY": servers[0][1]},
                       check=True, timeout=30)
        with pytest.MonkeyPatch.context() as patch:
            patch.setenv("DISPLAY", servers[1][1])
            with wine.own_prefix(folder / "prefix", {"UseXRandR": "N"}) as env:
                patch.setenv("WINEPREFIX", env["WINEPREFIX"])
                for name, value in COLOURS.items():
                    assert wine.run("reg", "add", r"HKCU\Control Panel\Colors", "/v", name, "/d", value,
                                    "/f").exit_code == 0
                # The desktop, which the first window starts, is up before any box.
                wine.run("rundll32.exe", "user32.dll,MessageBeep", capture=False)
                yield
    finally:
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


# The switch's confirmation against the "ready" firmware, whose OK orders the switch.
@pytest.mark.parametrize("pointer, monitor, other", [((1700, 60), SECOND, PRIMARY), ((500, 60), PRIMARY, SECOND)],
                         ids=["second", "primary"])
def test_the_band_is_on_the_monitor_under_the_pointer_over_a_veil_on_both(program, other_cwd, script_server, show_msg,
                                                                         msaa_client, pointer, monitor, other):
    left, width, height = monitor[0], monitor[2] - monitor[0], monitor[3]   # both monitors' tops are at 0
    server = script_server("--profile", "ready")
    show_msg(2)
    with plain_window(1100, 40, 300, 150) as window, reader.started(msaa_client) as client:
        screen.move_pointer(*pointer)
        with wine.started(program, cwd=other_cwd) as process:
            # Found by the box's own colours, which the prefix's system colours leave alone.
            box, _ = msgbox.box_of(process, area=monitor)
            assert box.width == width and box.band_top == (height - (box.band_bottom - box.band_top)) // 2
            whole = screen.screenshot()
            assert msgbox.find_box(whole.crop(other)) is None
            # Every pixel of the other program's window, on the second monitor, is darker than it was.
            assert all(sum(pixel) < sum(GREY) for pixel in whole.crop(window).getdata())
            # A screen reader finds each button where the screen shows it, and hits it there.
            _, buttons = client.dialog()
            assert [reader.location(b) for b in buttons] == [(left + b.left, b.top, left + b.right, b.bottom)
                                                              for b in box.buttons]
            assert [b["hit"] for b in buttons] == [b["id"] for b in buttons]
            x, y = box.buttons[0].centre
            screen.move_pointer(left + x, y, "click")
            assert wine.exit_code(process, timeout=30) == 0
    assert server.commands()[-1] == 20
