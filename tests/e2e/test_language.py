"""The language of the switch confirmation follows the system locale.

Each locale runs in a Wine prefix and on a display of the test's own, with
the Wine server restarted under that locale. The real program shows the
confirmation against the stand-in script server (ShowMsg 2). Its screenshot
must equal, pixel for pixel, a box that the box driver draws with the texts
that the language file gives for that language (read here on its own): the
customized switch text and the file's OK and Cancel captions.
"""

import pytest

from conftest import REPO, built
from orvex_e2e import msgbox, screen, wine
from orvex_e2e.locale_session import differing_box, locale_session, same_image

LANGUAGE_FILE = REPO / "src" / "lang" / "default_language_file.ini"
IDCANCEL = 2
BOX_TIMEOUT = 60

# Locale, and the language whose sections the program must use there.
LOCALES = [
    ("en_US", 0x0409),
    ("ja_JP", 0x0411),
    ("zh_HK", 0x0404),   # no Hong Kong section: the first Chinese entry of the list
    ("ko_KR", 0x0409),   # Korean is not offered
]


def read_language_file(path=LANGUAGE_FILE):
    """The sections of the file in order, each (name, {key: first value}).
    Read here on its own, so that the program's reader is not its own judge."""
    sections = []
    for line in path.read_text("utf-8").split("\n"):
        if not line or line[0] in "#;":
            continue
        if line.startswith("["):
            sections.append((line[1:line.index("]")], {}))
        elif sections and "=" in line:
            key, value = line.split("=", 1)
            sections[-1][1].setdefault(key.rstrip(" "), value)
    return sections


def texts_for(language):
    """The confirmation text and the OK and Cancel captions of a language."""
    def section(customized):
        for _, keys in read_language_file():
            if keys.get("CUSTOMIZED_STRING") == customized and int(keys.get("LANG_ID_IDENTIFIER", "0"), 16) == language:
                return keys
        raise AssertionError(f"no section {customized} for {language:#06x}")
    base, customized = section("0"), section("1")
    text = customized.get("OSSWITCHER_IDS_SWITCH_CONTINUE", base["OSSWITCHER_IDS_SWITCH_CONTINUE"])
    return {"text": text, "base_text": base["OSSWITCHER_IDS_SWITCH_CONTINUE"],
            "ok": base["BTN_TEXT_OK"], "cancel": base["BTN_TEXT_CANCEL"]}


@pytest.fixture(scope="module")
def session(tmp_path_factory):
    with locale_session(tmp_path_factory.mktemp("locale-session")) as own:
        yield own


@pytest.fixture
def boxes(session, tmp_path):
    """Shows a box with OK and Cancel, takes its screenshot once it stands
    still and answers it with Escape: boxes.capture(start) -> (image, exit
    code)."""
    class Boxes:
        def capture(self, start_program):
            """The screenshot and the exit code; no screenshot when the
            program ends without showing a box."""
            process = start_program()
            image = None
            try:
                screen.wait_until(lambda: process.poll() is not None or msgbox.box_shown(session.env), BOX_TIMEOUT,
                                  message="a box or the program's end")
                if process.poll() is not None:
                    return None, process.returncode
                image = session.steady_screenshot(timeout=BOX_TIMEOUT)
                screen.key("Escape", env=session.env)
                exit_code = process.wait(timeout=BOX_TIMEOUT)
                screen.wait_until(lambda: not msgbox.box_shown(session.env), BOX_TIMEOUT, message="the box to go")
            finally:
                if process.poll() is None:
                    process.kill()
                    process.wait(timeout=BOX_TIMEOUT)
            return image, exit_code

        def reference(self, text, ok, cancel, name):
            """The box that the driver draws with exactly these texts."""
            texts = tmp_path / f"{name}.txt"
            texts.write_text(f"{text}\n{ok}\n{cancel}\n", encoding="utf-8")
            driver = built("tests/support/confirmation_box.exe")
            image, exit_code = self.capture(lambda: wine.start(driver, "--texts", wine.windows_path(texts)))
            assert image is not None and exit_code == IDCANCEL, f"the reference box for {name} was not shown"
            image.save(tmp_path / f"{name}.png")
            return image
    return Boxes()


def scrambled(text):
    """The text with its non-ASCII characters in reverse order: the same
    number of glyphs, other glyphs."""
    wide = [c for c in text if ord(c) > 0x7F]
    return "".join(wide.pop() if ord(c) > 0x7F else c for c in text)


def show_with_program(boxes, script_server, show_msg, program_dir, tmp_path):
    show_msg(2)
    server = script_server("--profile", "ready")
    shown, exit_code = boxes.capture(lambda: wine.start(program_dir / "OrvexSwitcher.exe", cwd=tmp_path))
    assert shown is not None, f"no confirmation; the program ended with {exit_code}"
    # Cancelled: no switch order follows the four questions.
    assert exit_code == 1
    assert len(server.scripts()) == 4
    return shown


@pytest.mark.parametrize("locale,language", LOCALES, ids=[locale for locale, _ in LOCALES])
def test_switch_confirmation_speaks_the_language_of_the_system_locale(session, monkeypatch, boxes, script_server,
                                                                      show_msg, tmp_path, program_dir, locale,
                                                                      language):
    # The fixtures below the locale change act on the session's prefix.
    session.use_locale(locale, monkeypatch)
    expected = texts_for(language)
    shown = show_with_program(boxes, script_server, show_msg, program_dir, tmp_path)
    shown.save(tmp_path / f"{locale}-program.png")

    reference = boxes.reference(expected["text"], expected["ok"], expected["cancel"], f"{locale}-expected")
    assert same_image(shown, reference), (
        f"{locale}: the confirmation differs from {expected} within {differing_box(shown, reference)}")

    # The base text would look different: the customized one is shown.
    base = boxes.reference(expected["base_text"], expected["ok"], expected["cancel"], f"{locale}-base")
    assert not same_image(shown, base)
    # Glyphs are really drawn: other characters in the same places change the picture.
    if scrambled(expected["text"]) != expected["text"]:
        other = boxes.reference(scrambled(expected["text"]), expected["ok"], expected["cancel"], f"{locale}-other")
        assert not same_image(reference, other), f"{locale}: the font draws no distinct glyphs"
