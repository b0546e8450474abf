"""Power-off, shutdown and reboot end to end. Under Wine, ExitWindowsEx with
EWX_FORCE returns TRUE and then ends every process of the prefix's session,
so these run in a throwaway prefix: a held stand-in tool there must die."""
import re
import subprocess

import pytest

from orvex_e2e import wine

# Wine's ExitWindowsEx hands over to wineboot: "--kill" for EWX_FORCE and
# "--shutdown" unless EWX_REBOOT is set.
CASES = [
    ("-s5", "--kill --shutdown"),
    ("-shutdown", "--kill --shutdown"),
    ("-reboot", "--kill"),
    ("-REBOOT", "--kill"),
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
