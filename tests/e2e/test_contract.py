"""Windows' rules for the program's calls (scripts/contract/rules.py) held
against the relay trace of a few real runs: the switch with its box answered
by key, by click and by a reader, the power actions, the taskbar options,
-config and a held log."""
import sys
from contextlib import nullcontext

import pytest

from conftest import REPO, built, log_held
from orvex_e2e import msgbox, reader, screen, trace_log, wine

sys.path.insert(0, str(REPO / "scripts" / "contract"))
import relay_trace  # noqa: E402

RELAY_KEY = r"HKCU\Software\Wine\Debug"
TRACED = {"WINEDEBUG": "+pid,+loaddll,+relay"}
WM_DISPLAYCHANGE = 0x7E
NO_PRIVILEGE = "Fail to enable SE_SHUTDOWN_NAME priviledge [Err=1300]."


@pytest.fixture(scope="module", autouse=True)
def relay_include():
    """The relay trace holds the rules' functions only, which keeps it short
    and the runs fast; other programs of the prefix trace nothing."""
    wine.run("reg", "add", RELAY_KEY, "/v", "RelayInclude", "/d", relay_trace.relay_include(), "/f")
    yield
    wine.run("reg", "delete", RELAY_KEY, "/v", "RelayInclude", "/f")


ANSWERS = {
    # Return on the focused OK, after the system announced a new resolution.
    "key": lambda box, client: screen.key("Return"),
    "click": lambda box, client: screen.move_pointer(*box.buttons[0].centre, "click"),
    "reader": lambda box, client: client.wait_for("pressed"),
}


@pytest.mark.parametrize("answer", ANSWERS)
def test_the_switch_and_its_box_keep_to_windows_rules(program, program_dir, other_cwd, config_tool, script_server,
                                                      show_msg, msaa_client, tmp_path, answer):
    server = script_server("--profile", "ready")
    show_msg(2)
    screen.move_pointer(1, 1)
    trace = tmp_path / "trace.txt"
    with reader.started(msaa_client, *(["--press", "1"] if answer == "reader" else [])) as client, \
            trace.open("wb") as out, wine.started(program, cwd=other_cwd, env=TRACED, stderr=out) as process:
        # The reader presses OK as soon as the box is up.
        found = (None,) if answer == "reader" else msgbox.box_of(process)
        assert found is not None, f"no box; the program ended with {process.returncode}"
        if answer == "key":
            assert wine.run(built("tests/support/box_message.exe"), "send", str(WM_DISPLAYCHANGE), "32",
                            str(768 << 16 | 1024)).exit_code == 0
        ANSWERS[answer](found[0], client)
        assert wine.exit_code(process, timeout=30) == 0
    assert server.commands()[-1] == 20
    assert relay_trace.faults(trace.read_text("utf-8", "replace"), program) == {}


# Without the shutdown privilege the actions that need it stop at that step,
# so none ends the prefix's session.
UNPRIVILEGED = ["-s4", "-s5", "-shutdown", "-reboot"]
HELD_LOG = "-s3"


@pytest.mark.parametrize("option", [HELD_LOG, *UNPRIVILEGED, "-hybrid", "-taskbarpin", "-taskbarunpin", "-config"])
def test_the_actions_keep_to_windows_rules(program, program_dir, other_cwd, config_tool, option):
    command = [program, option]
    if option in UNPRIVILEGED:
        command = [built("tests/support/without_privilege.exe"), "SeShutdownPrivilege",
                   f"{wine.windows_path(program)} {option}"]
    with log_held(program_dir) if option == HELD_LOG else nullcontext():
        result = wine.run(*command, cwd=other_cwd, env=TRACED)
    assert relay_trace.faults(result.stderr, program) == {}
    if option in UNPRIVILEGED:
        # The privilege step fails, and its record says so.
        assert result.exit_code == 1
        assert [message for _, message in trace_log.messages(program_dir)] == [NO_PRIVILEGE]
