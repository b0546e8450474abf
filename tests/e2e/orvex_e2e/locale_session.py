"""A Wine prefix and an X display of a test's own, for tests that change
Wine's system locale.

Wine takes the system locale from LC_ALL (LANG alone is not enough), also
for locales that Linux does not have installed, and its server keeps the
locale it started with. A test that switches locales therefore restarts the
server between them, which it may do only in a prefix of its own:

    session = LocaleSession(tmp_path / "session").start()
    try:
        session.use_locale("ja_JP", monkeypatch)   # wine.run & co. now use it
        ...
        image = session.screenshot()
    finally:
        session.stop()

The prefix is a copy of the shared one (WINEPREFIX), with Wine's CJK font
fallback pointed at an installed font so that Chinese and Japanese text is
drawn; the display is an Xvfb of the session's own.
"""
import os
import shutil
import subprocess
import time
from io import BytesIO
from pathlib import Path

from PIL import Image, ImageChops

from . import wine

# Wine links its user-interface fonts to these faces for CJK text; none of
# them is installed here, so each is replaced by a font that is.
CJK_FALLBACK_FACES = ["MS UI Gothic", "MS Gothic", "SimSun", "PMingLiU", "MingLiU", "Gulim", "Batang"]
CJK_FONT = "WenQuanYi Zen Hei"

SERVER_TIMEOUT = 60
DISPLAY_TIMEOUT = 10


def _tool(*command, env, timeout=SERVER_TIMEOUT, capture=False):
    # Output is captured only from tools that leave nothing running: Wine's
    # server and services would inherit the pipe and hold it open.
    output = subprocess.PIPE if capture else subprocess.DEVNULL
    return subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=output, stderr=output, timeout=timeout)


class LocaleSession:
    def __init__(self, folder, source_prefix=None, size="1024x768"):
        self.folder = Path(folder)
        self.source_prefix = Path(source_prefix or os.environ["WINEPREFIX"])
        self.prefix = self.folder / "wine-prefix"
        self.size = size
        self.display = None
        self.xvfb = None
        self.locale = None

    def environment(self, locale=None):
        env = wine.environment({"WINEPREFIX": str(self.prefix), "DISPLAY": self.display})
        locale = locale or self.locale
        if locale:
            env["LC_ALL"] = f"{locale}.UTF-8"
        return env

    def start(self):
        self.folder.mkdir(parents=True, exist_ok=True)
        shutil.copytree(self.source_prefix, self.prefix, symlinks=True)
        self._start_display()
        self._start_server("en_US")
        self._install_font_fallback()
        self._stop_server()
        return self

    def use_locale(self, locale, monkeypatch):
        """Restarts this prefix's Wine server under `locale` (say "ja_JP") and
        points the environment of the calling test at the session."""
        self._stop_server()
        self.locale = locale
        for name, value in self.environment().items():
            if name in ("WINEPREFIX", "DISPLAY", "LC_ALL"):
                monkeypatch.setenv(name, value)
        self._start_server(locale)

    def screenshot(self):
        completed = _tool("import", "-display", self.display, "-window", "root", "png:-", env=self.environment(),
                          capture=True)
        if completed.returncode != 0:
            raise RuntimeError(completed.stderr.decode("utf-8", "replace"))
        return Image.open(BytesIO(completed.stdout)).convert("RGB")

    def wait_for_steady_screen(self, timeout=60, settle=0.5, changed_from=None):
        """The screen once two screenshots `settle` seconds apart agree and it
        differs from `changed_from` (say, the empty screen)."""
        deadline = time.monotonic() + timeout
        previous = None
        while time.monotonic() < deadline:
            image = self.screenshot()
            if previous is not None and same_image(image, previous):
                if changed_from is None or not same_image(image, changed_from):
                    return image
            previous = image
            time.sleep(settle)
        raise TimeoutError(f"the screen did not settle within {timeout} s")

    def key(self, name):
        _tool("xdotool", "key", name, env=self.environment())

    def stop(self):
        self._stop_server()
        if self.xvfb is not None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=DISPLAY_TIMEOUT)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait(timeout=DISPLAY_TIMEOUT)
            self.xvfb = None
        shutil.rmtree(self.prefix, ignore_errors=True)

    def _start_server(self, locale):
        # A persistent server, and Wine's own services started with no
        # output attached, before any test program runs.
        env = self.environment(locale)
        _tool("wineserver", "-p", env=env)
        _tool("wine", "cmd", "/c", "exit", env=env)

    def _stop_server(self):
        env = self.environment()
        _tool("wineserver", "-k", env=env)
        _tool("wineserver", "-w", env=env)

    def _start_display(self):
        for number in range(150, 250):
            if Path(f"/tmp/.X11-unix/X{number}").exists() or Path(f"/tmp/.X{number}-lock").exists():
                continue
            process = subprocess.Popen(["Xvfb", f":{number}", "-screen", "0", f"{self.size}x24", "-nolisten", "tcp"],
                                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            deadline = time.monotonic() + DISPLAY_TIMEOUT
            while time.monotonic() < deadline and process.poll() is None:
                if Path(f"/tmp/.X11-unix/X{number}").exists():
                    self.xvfb = process
                    self.display = f":{number}"
                    return
                time.sleep(0.05)
            # Another display took the number first, or this one did not come up.
            if process.poll() is None:
                process.kill()
            process.wait(timeout=DISPLAY_TIMEOUT)
        raise RuntimeError("no free X display number")

    def _install_font_fallback(self):
        lines = ["REGEDIT4", "", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
        lines += [f'"{face}"="{CJK_FONT}"' for face in CJK_FALLBACK_FACES]
        registry_file = self.folder / "cjk-fonts.reg"
        registry_file.write_text("\r\n".join(lines) + "\r\n", encoding="ascii")
        completed = _tool("wine", "regedit", "/S", wine.windows_path(registry_file), env=self.environment("en_US"))
        if completed.returncode != 0:
            raise RuntimeError(f"regedit could not import the font fallback: {completed.returncode}")


def same_image(first, second):
    return first.size == second.size and ImageChops.difference(first, second).getbbox() is None


def differing_box(first, second):
    """The bounding box of the pixels in which two screenshots differ, or None."""
    return ImageChops.difference(first, second).getbbox()
