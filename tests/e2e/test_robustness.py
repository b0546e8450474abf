"""The real program when things around it go wrong, each run ending in the
documented result, and the stand-in script server on its own."""
import time
from contextlib import ExitStack

import pytest

from conftest import built, folder_with, log_held, unwritable
from orvex_e2e import screen, trace_log, wine

WHOLE = [17, 24, 16, 24, 20]


def info(value, code):
    return ("INFO", f"0x{value:08x} = OrvexNotify(0x{code:08x}, 0x00000000).")


READY_LOG = [info(0, 17), info(10, 24), info(0x40000021, 16), info(10, 24), info(0, 20)]


@pytest.mark.parametrize("settings, commands, tool_started, exit_code, log", [
    # The order's reply ends after WMIS_HRESULT: the value keeps its preset 1, a refusal.
    (["--cut", "20=30"], WHOLE, False, 1, READY_LOG[:4] + [info(1, 20)]),
    # Cut in the second pass, ahead of WMIS_HRESULT: an unreadable result.
    (["--size", "16=10000", "--cut", "16=6000"], [17, 24, 16], True, 0,
     READY_LOG[:2] + [("ERROR", "[HRESULT=0x80004005] [ActionIndex=] OrvexNotify(0x00000010, 0x00000000).")]),
    # Every reply is a mebibyte of filler ahead of the answer.
    (["--size", "*=1048576"], WHOLE, False, 0, READY_LOG),
], ids=["cut order", "cut second pass", "huge"])
def test_cut_and_huge_replies_end_in_the_documented_result(script_server, program, program_dir, other_cwd,
                                                          config_tool, settings, commands, tool_started, exit_code,
                                                          log):
    server = script_server("--profile", "ready", *settings)
    assert wine.run(program, "-nomsg", cwd=other_cwd, timeout=120, capture=False).exit_code == exit_code
    assert server.commands() == commands
    assert trace_log.messages(program_dir) == log
    assert len(config_tool.wait_for_starts(1, timeout=10 if tool_started else 1)) == int(tool_started)


@pytest.mark.parametrize("delay, commands, log", [
    (3000, [99] + WHOLE, READY_LOG),
    # ERROR_SEM_TIMEOUT: the wait's own error, not the busy pipe's; the presets hand over.
    (60000, [99], [("ERROR", "Fail to open WMI Script Server [Err=121].")]),
], ids=["busy for a while", "busy for long"])
def test_a_busy_pipe_is_waited_for_once(script_server, program, program_dir, other_cwd, config_tool, tmp_path,
                                        delay, commands, log):
    server = script_server("--profile", "ready", "--instances", "1", "--delay", f"99={delay}")
    holder_dir = folder_with(tmp_path / "holder", "tests/support/send_command.exe")
    with wine.started(holder_dir / "send_command.exe", "99:0") as holder:
        screen.wait_until(lambda: server.scripts(), message="the holder's script")
        assert wine.run(program, "-nomsg", cwd=other_cwd, timeout=60, capture=False).exit_code == 0
        if delay > 10000:
            assert holder.poll() is None, "the wait timed out long before the holder let go"
    assert server.commands() == commands
    assert trace_log.messages(program_dir) == log


def run_for_debugger(program, other_cwd):
    result = wine.run(program, "-nomsg", cwd=other_cwd, env={"WINEDEBUG": "-all,warn+seh"})
    return result.exit_code, trace_log.debugger_messages(result.stderr)


def test_a_pipe_that_is_not_of_message_type_fails_the_send(script_server, program, program_dir, other_cwd,
                                                         config_tool):
    script_server("--byte-pipe")
    assert wine.run(program, "-nomsg", cwd=other_cwd, timeout=60, capture=False).exit_code == 0
    assert trace_log.messages(program_dir)[0] == ("ERROR", "Fail to send WMI script [Err=87].")
    assert len(config_tool.wait_for_starts(1)) == 1


def test_a_read_only_program_folder_loses_the_file_line_only(script_server, program, program_dir, other_cwd):
    server = script_server("--profile", "ready")
    with unwritable(program_dir):
        assert run_for_debugger(program, other_cwd) == (0, READY_LOG)
    assert server.commands() == WHOLE
    assert [p.name for p in program_dir.iterdir()] == ["OrvexSwitcher.exe"]
    assert list(other_cwd.iterdir()) == []


def timed_for_debugger(program, other_cwd):
    start = time.monotonic()
    return run_for_debugger(program, other_cwd), time.monotonic() - start


def test_runs_take_turns_at_the_log_and_one_held_for_longer_costs_one_wait_and_stays_as_it_was(
        script_server, program, program_dir, other_cwd):
    server = script_server("--profile", "ready")
    free, free_seconds = timed_for_debugger(program, other_cwd)
    assert free == (0, READY_LOG)
    written = trace_log.read_bytes(program_dir)
    with log_held(program_dir):
        # Held past the run's first wait: the lines reach the debugger only,
        # and no later line waits again.
        held, held_seconds = timed_for_debugger(program, other_cwd)
        assert held == (0, READY_LOG)
        assert held_seconds - free_seconds < 1.5, (free_seconds, held_seconds)
        assert trace_log.read_bytes(program_dir) == written
    assert server.commands() == WHOLE * 2
    # Runs started together hold the log for a line each and wait their turn.
    s3 = ("ERROR", "Sleep state S3 is not supported [Err=0].")   # this Wine has no S3
    with ExitStack() as stack:
        runs = [stack.enter_context(wine.started(program, "-s3", cwd=other_cwd)) for _ in range(20)]
        assert [wine.exit_code(run) for run in runs] == [1] * 20
    assert trace_log.messages(program_dir) == READY_LOG + [s3] * 20


def test_the_script_server_refuses_bad_arguments_answers_as_told_and_stops_on_request(script_server, tmp_path):
    assert wine.run(built("tools/script_server/OrvexScriptServer.exe"), "--answer", "17").exit_code == 2
    server = script_server("--answer", "24=10,2")
    # send_command.exe calls Orvex_SendCommand directly; its log lands beside it.
    driver = folder_with(tmp_path / "driver", "tests/support/send_command.exe") / "send_command.exe"
    assert wine.run(driver, "24", "24", "24").stdout.split() == ["0x00000000", "0x0000000a", "0x00000000",
                                                              "0x00000002", "0x00000000", "0x00000002"]
    assert server.stop() == 0 and "stopped" in server.output()
