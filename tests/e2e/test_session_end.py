"""Power-off, shutdown and reboot end to end. Under Wine, ExitWindowsEx with
EWX_FORCE returns TRUE and then ends every process of the prefix's session,
so these run in a throwaway prefix, where a held stand-in tool must die."""
import re
import shutil
from contextlib import contextmanager

import pytest

from conftest import built
from orvex_e2e import msgbox, reader, screen, wine


@contextmanager
def held_tool(config_tool, env):
    config_tool.hold_path.write_bytes(b"")
    with wine.started(config_tool.path, env=env) as process:
        assert len(config_tool.wait_for_starts(1)) == 1
        yield
        assert wine.exit_code(process, timeout=30) is not None
        assert config_tool.hold_path.exists()
    # A reboot's wineboot may start the prefix's services again, and an ended
    # session's server may refuse to create processes: the next test gets a new one.
    wine.start_server(env)


# Wine's ExitWindowsEx hands over to wineboot: "--kill" for EWX_FORCE, and
# "--shutdown" unless EWX_REBOOT is set.
@pytest.mark.parametrize("option, wineboot", [("-s5", "--kill --shutdown"), ("-shutdown", "--kill --shutdown"),
                                              ("-reboot", "--kill")])
def test_the_session_ends_after_the_call_is_accepted(program, program_dir, other_cwd, config_tool, prefix, option,
                                                     wineboot):
    with held_tool(config_tool, prefix):
        result = wine.run(program, option, "-nomsg", cwd=other_cwd, env={**prefix, "WINEDEBUG": "trace+process"})
        assert result.exit_code == 0
        calls = re.findall(r'CreateProcessInternalW app L"[^"]*wineboot\.exe" cmdline L"[^"]*wineboot\.exe'
                           r'((?: --[a-z-]+)*)"', result.stderr)
        assert [arguments.strip() for arguments in calls] == [wineboot]
    assert not (program_dir / "ORVEXLOG.log").exists()


def test_with_show_msg_1_the_notice_holds_the_end_back_until_it_times_out(program, other_cwd, config_tool, prefix,
                                                                         tmp_path, msaa_client):
    wine.set_show_msg(1, env=prefix)
    # A winlogon.exe planted beside the program offers a caption of its own.
    shutil.copy2(built("tests/support/powrprof.dll"), program.parent / "winlogon.exe")
    screen.move_pointer(1, 1)
    with held_tool(config_tool, prefix), reader.started(msaa_client, env=prefix) as client:
        with wine.started(program, "-shutdown", cwd=other_cwd, env=prefix) as process:
            box, image = msgbox.box_of(process)
            image.save(tmp_path / "notice.png")
            assert len(box.buttons) == 1   # one OK button, no text
            # A reader hears the one button, focused, and the caption, which
            # is empty here: this Wine has no winlogon.exe in its system folder.
            box_line, buttons = client.dialog()
            assert (box_line["role"], box_line["name"], box_line["description"]) == ("18", "", "")
            assert [(button["name"], button["state"]) for button in buttons] == [("OK", str(0x100004))]
            screen.wait_until(lambda: not msgbox.box_shown(), timeout=30, message="the notice to go")
            assert wine.exit_code(process, timeout=30) == 0
