"""Power-off, shutdown and reboot end to end. Under Wine, ExitWindowsEx with
EWX_FORCE returns TRUE and then ends every process of the prefix's session,
so these run in a throwaway prefix: a held stand-in tool there must die.
The shutdown notice shows on the run's display."""
import re
import subprocess

import pytest

from orvex_e2e import msgbox, screen, wine

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


def start_held_tool(config_tool, env):
    config_tool.hold()
    process = wine.start(config_tool.path, env=env)
    if len(config_tool.wait_for_starts(1)) != 1:
        process.kill()
        process.wait(timeout=30)
        pytest.fail("the held stand-in tool did not start")
    return process


@pytest.mark.parametrize("option, wineboot_arguments", CASES)
def test_the_session_ends_after_the_call_is_accepted(program_dir, other_cwd, config_tool, session, option,
                                                     wineboot_arguments):
    held = start_held_tool(config_tool, session)
    try:
        result = wine.run(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd,
                          env={**session, "WINEDEBUG": "trace+process"}, capture=True)
        assert result.exit_code == 0
        calls = re.findall(r'CreateProcessInternalW app L"[^"]*wineboot\.exe" cmdline L"[^"]*wineboot\.exe'
                           r'((?: --[a-z-]+)*)"', result.stderr)
        assert [arguments.strip() for arguments in calls] == [wineboot_arguments]
        # Still held, so only the end of the session can stop it.
        held.wait(timeout=30)
        assert (program_dir / "OrvexConfigTool.hold").exists()
    finally:
        config_tool.release()
        if held.poll() is None:
            held.kill()
        held.communicate(timeout=30)
    assert not (program_dir / "ORVEXLOG.log").exists()


@pytest.mark.parametrize("option, answer", [("-shutdown", None), ("-reboot", "Return")])
def test_with_show_msg_1_the_notice_holds_the_end_back_until_it_goes(program_dir, other_cwd, config_tool, session,
                                                                     tmp_path, option, answer):
    wine.set_show_msg(1, env=session)
    held = start_held_tool(config_tool, session)
    screen.move_pointer(1, 1)
    try:
        with wine.started(program_dir / "OrvexSwitcher.exe", option, cwd=other_cwd, env=session) as process:
            box, image = msgbox.wait_for_box(timeout=30)
            image.save(tmp_path / "notice.png")
            # One OK button, no icon, no text: only the caption could show.
            assert len(box.buttons) == 1
            assert held.poll() is None and process.poll() is None
            if answer is not None:
                screen.key(answer)
            # Without an answer the notice ends itself after 5 seconds.
            screen.wait_until(lambda: not msgbox.box_shown(), timeout=30, message="the notice to go")
            assert wine.exit_code(process, timeout=30) == 0
        held.wait(timeout=30)
        assert (program_dir / "OrvexConfigTool.hold").exists()
    finally:
        config_tool.release()
        if held.poll() is None:
            held.kill()
        held.communicate(timeout=30)


@pytest.mark.parametrize("arguments, value", [
    (["-reboot", "-nomsg"], 1),
    (["-shutdown"], 2),
    (["-s5"], 1),
])
def test_otherwise_the_end_comes_without_a_notice(program_dir, other_cwd, config_tool, session, arguments, value):
    wine.set_show_msg(value, env=session)
    held = start_held_tool(config_tool, session)
    seen = []
    try:
        with wine.started(program_dir / "OrvexSwitcher.exe", *arguments, cwd=other_cwd, env=session) as process:
            # A notice stays for seconds, so a look while the program runs finds it.
            screen.wait_until(lambda: process.poll() is not None or seen.append(msgbox.box_shown()) or any(seen),
                              timeout=40, message="the program to end")
            assert not any(seen)
            assert wine.exit_code(process, timeout=30) == 0
        held.wait(timeout=30)
    finally:
        config_tool.release()
        if held.poll() is None:
            held.kill()
        held.communicate(timeout=30)
