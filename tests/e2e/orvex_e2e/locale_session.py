"""A Wine prefix and display of a test's own (screen.wine_session) in which
the test may change Wine's system locale.

Wine takes the system locale from LC_ALL (LANG alone is not enough), also
for locales that Linux does not have installed, and its server keeps the
locale it started with, so a change of locale restarts the session's server:

    with locale_session(tmp_path) as session:
        session.use_locale("ja_JP", monkeypatch)   # wine.run & co. use it now
        ...
        image = session.steady_screenshot()

The copied prefix gets Wine's CJK font fallback pointed at an installed font,
so that Chinese and Japanese text is drawn with real glyphs.
"""
import subprocess
import time
from contextlib import contextmanager
from pathlib import Path

from PIL import ImageChops

from . import screen, wine

# Wine links its user-interface fonts to these faces for CJK text; none of
# them is installed here, so each is replaced by a font that is.
CJK_FALLBACK_FACES = ["MS UI Gothic", "MS Gothic", "SimSun", "PMingLiU", "MingLiU", "Gulim", "Batang"]
CJK_FONT = "WenQuanYi Zen Hei"
SERVER_TIMEOUT = 120


def _quiet(arguments, env):
    # No output attached: Wine's server and services outlive the call and
    # would hold a captured pipe open.
    return subprocess.run(arguments, env=wine.environment(env), stdin=subprocess.DEVNULL,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=SERVER_TIMEOUT)


class LocaleSession:
    def __init__(self, session, workdir):
        self.session = session
        self.workdir = Path(workdir)
        self.env = dict(session.env)

    def use_locale(self, locale, monkeypatch):
        """Restarts the session's Wine server under `locale` (say "ja_JP")
        and points the calling test's environment at the session."""
        self._restart_server(f"{locale}.UTF-8")
        for name, value in self.env.items():
            monkeypatch.setenv(name, value)

    def screenshot(self):
        return screen.screenshot(self.env)

    def steady_screenshot(self, timeout=screen.DEFAULT_TIMEOUT, settle=0.5):
        """A screenshot once two taken `settle` seconds apart agree."""
        previous = [self.screenshot()]

        def settled():
            time.sleep(settle)
            image = self.screenshot()
            same = same_image(image, previous[0])
            previous[0] = image
            return image if same else None
        return screen.wait_until(settled, timeout, interval=0, message="a steady screen")

    def install_cjk_font_fallback(self):
        lines = ["REGEDIT4", "", r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
        lines += [f'"{face}"="{CJK_FONT}"' for face in CJK_FALLBACK_FACES]
        registry_file = self.workdir / "cjk-fonts.reg"
        registry_file.write_text("\r\n".join(lines) + "\r\n", encoding="ascii")
        completed = _quiet(["wine", "regedit", "/S", wine.windows_path(registry_file)], self.env)
        assert completed.returncode == 0, f"regedit could not import the font fallback: {completed.returncode}"

    def _restart_server(self, lc_all):
        _quiet(["wineserver", "-k"], self.env)
        _quiet(["wineserver", "-w"], self.env)
        self.env["LC_ALL"] = lc_all
        for arguments in (["wineserver", "-p"], ["wine", "cmd", "/c", "exit"]):
            _quiet(arguments, self.env)


@contextmanager
def locale_session(workdir, width=1024, height=768):
    """A screen.wine_session with the CJK font fallback, as a LocaleSession."""
    workdir = Path(workdir)
    with screen.wine_session(width, height, workdir) as session:
        own = LocaleSession(session, workdir)
        own.install_cjk_font_fallback()
        yield own


def same_image(first, second):
    return first.size == second.size and ImageChops.difference(first, second).getbbox() is None


def differing_box(first, second):
    """The bounding box of the pixels in which two screenshots differ, or None."""
    return ImageChops.difference(first, second).getbbox()
