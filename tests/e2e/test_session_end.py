"""Power-off, shutdown and reboot end to end. Under Wine, ExitWindowsEx with
EWX_FORCE returns TRUE and then ends every process of the prefix's session,
so these run in a throwaway prefix: a held stand-in tool there must die.
The shutdown notice shows on the run's display."""
import re
from contextlib import contextmanager

import pytest

from orvex_e2e import msgbox, reader, screen, wine

# Wine's ExitWindowsEx hands over to wineboot: "--kill" for EWX_FORCE and
# "--shutdown" unless EWX_REBOOT is set.
CASES = [
    ("-s5", "--kill --shutdown"),
    ("-shutdown", "--kill --shutdown"),
    ("-reboot", "--kill"),
]


@pytest.fixture(scope="module")
def throwaway_prefix(tmp_path_factory):
    env = wine.create_prefix(tmp_path_factory.mktemp("prefix"))
    yield env
    wine.stop_prefix(env)


@pytest.fixture
def session(throwaway_prefix):
    yield throwaway_prefix
    # A reboot's wineboot may start the prefix's services again.
    wine.stop_prefix(throwaway_prefix)


@contextmanager
def held_tool(config_tool, env):
    """The stand-in tool, held running in the session; the block must end
    with the tool ended by the end of the session, though it is still held."""
    config_tool.hold()
    process = wine.start(config_tool.path, env=env)
    try:
        if len(config_tool.wait_for_starts(1)) != 1:
            pytest.fail("the held stand-in tool did not start")
        yield process
        process.wait(timeout=30)
        assert (config_tool.folder / "OrvexConfigTool.hold").exists()
    finally:
        config_tool.release()
        if process.poll() is None:
            process.kill()
        process.communicate(timeout=30)


@pytest.mark.parametrize("option, wineboot_arguments", CASES)
def test_the_session_ends_after_the_call_is_accepted(program_dir, other_cwd, config_tool, session, option,
                                                     wineboot_arguments):
    with held_tool(config_tool, session):
        result = wine.run(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd,
                          env={**session, "WINEDEBUG": "trace+process"}, capture=True)
        assert result.exit_code == 0
        calls = re.findall(r'CreateProcessInternalW app L"[^"]*wineboot\.exe" cmdline L"[^"]*wineboot\.exe'
                           r'((?: --[a-z-]+)*)"', result.stderr)
        assert [arguments.strip() for arguments in calls] == [wineboot_arguments]
    assert not (program_dir / "ORVEXLOG.log").exists()


def test_with_show_msg_1_the_notice_holds_the_end_back_until_it_times_out(program_dir, other_cwd, config_tool,
                                                                         session, tmp_path, msaa_client):
    wine.set_show_msg(1, env=session)
    screen.move_pointer(1, 1)
    with held_tool(config_tool, session) as held, reader.started(msaa_client, env=session) as client:
        with wine.started(program_dir / "OrvexSwitcher.exe", "-shutdown", cwd=other_cwd, env=session) as process:
            box, image = msgbox.wait_for_box(timeout=30)
            image.save(tmp_path / "notice.png")
            # One OK button, no icon, no text: only the caption could show.
            assert len(box.buttons) == 1
            # A reader hears the one button, focused, and the caption, which
            # is empty here: this Wine has no winlogon.exe to take it from.
            box_line, buttons = client.dialog()
            assert (box_line["role"], box_line["name"], box_line["description"]) == ("18", "", "")
            assert [(button["name"], button["state"]) for button in buttons] == [("OK", str(0x100004))]
            assert held.poll() is None and process.poll() is None
            # Unanswered, the notice ends itself after 5 seconds.
            screen.wait_until(lambda: not msgbox.box_shown(), timeout=30, message="the notice to go")
            assert wine.exit_code(process, timeout=30) == 0


# The notice is skipped for any other ShowMsg and with -nomsg; which action
# shows it is decided by a plain function.
@pytest.mark.parametrize("arguments, value", [(["-reboot", "-nomsg"], 1), (["-shutdown"], 2)])
def test_otherwise_the_end_comes_without_a_notice(program_dir, other_cwd, config_tool, session, arguments, value):
    wine.set_show_msg(value, env=session)
    seen = []
    with held_tool(config_tool, session):
        with wine.started(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd, env=session) as process:
            # A notice stays for seconds, so a look while the program runs finds it.
            screen.wait_until(lambda: process.poll() is not None or seen.append(msgbox.box_shown()) or any(seen),
                              timeout=40, message="the program to end")
            assert not any(seen)
            assert wine.exit_code(process, timeout=30) == 0
