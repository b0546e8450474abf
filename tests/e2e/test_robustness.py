"""The real program when things around it go wrong: a script server that
cuts a reply short, answers with a megabyte or keeps its pipe busy, a
program folder that cannot be written, a log that another process holds, a
temporary folder that cannot be written and a ShowMsg of the wrong type or
size. Each run ends in the program's documented result, keeps what was
there before, and waits only where the program is meant to wait."""
import subprocess
from contextlib import nullcontext

import pytest

from conftest import built, folder_with
from orvex_e2e import msgbox, screen, trace_log, wine
from orvex_e2e.folders import read_only

E_FAIL = 0x80004005
WHOLE_SWITCH = [17, 24, 16, 24, 20]


def info(value, code):
    return ("INFO", f"0x{value:08x} = OrvexNotify(0x{code:08x}, 0x00000000).")


def error(result, code, index=""):
    return ("ERROR", f"[HRESULT=0x{result:08x}] [ActionIndex={index}] OrvexNotify(0x{code:08x}, 0x00000000).")


def reply_bytes(text):
    return len(text.encode("utf-16-le"))


# The answers of the profile "ready", in the order of a whole switch.
READY_LOG = [info(0, 17), info(10, 24), info(0x40000021, 16), info(10, 24), info(0, 20)]

# (server settings, commands sent, tool started, exit code, log).
HOSTILE_REPLIES = [
    # The switch order's reply ends after WMIS_HRESULT: the value keeps its
    # preset 1, so the switch counts as refused.
    (["--cut", "20=30"], WHOLE_SWITCH, False, 1, READY_LOG[:4] + [info(1, 20)]),
    # Cut inside the number: the digits read so far are the answer, and
    # 10737 lacks the capability bit 30, so the tool takes over.
    (["--cut", f"16={reply_bytes('WMIS_HRESULT=0;NotifycationReturnValue=10737')}"], [17, 24, 16], True, 0,
     READY_LOG[:2] + [info(10737, 16)]),
    # Cut in the second pass of a long reply, ahead of WMIS_HRESULT: an
    # unreadable result, and the preset 0 hands over to the tool.
    (["--size", "16=10000", "--cut", "16=6000"], [17, 24, 16], True, 0, READY_LOG[:2] + [error(E_FAIL, 16)]),
    # Every reply is a mebibyte of filler ahead of the answer.
    (["--size", "*=1048576"], WHOLE_SWITCH, False, 0, READY_LOG),
]


@pytest.mark.parametrize("server_settings, commands, tool_started, exit_code, log", HOSTILE_REPLIES,
                         ids=[" ".join(row[0]) for row in HOSTILE_REPLIES])
def test_cut_and_huge_replies_end_in_the_documented_result(script_server, program_dir, other_cwd, config_tool,
                                                          server_settings, commands, tool_started, exit_code, log):
    server = script_server("--profile", "ready", *server_settings)
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd, timeout=120, capture=False)
    assert result.exit_code == exit_code
    assert server.commands() == commands
    assert trace_log.messages(program_dir, "Orvex_SendCommand") == log
    assert len(config_tool.wait_for_starts(1, timeout=10 if tool_started else 1)) == int(tool_started)


@pytest.fixture
def pipe_holder(tmp_path):
    """Starts a client that holds the server's one pipe instance while the
    server delays its answer to command 99; ended after the test."""
    holders = []

    def start(server):
        folder = folder_with(tmp_path / "holder", "tests/support/send_command.exe")
        holders.append(wine.start(folder / "send_command.exe", "99:0"))
        server.wait_for_scripts(1)
        return holders[-1]

    yield start
    for holder in holders:
        if holder.poll() is None:
            holder.kill()
        holder.communicate(timeout=60)


def test_a_pipe_busy_for_a_while_is_waited_for(script_server, program_dir, other_cwd, config_tool, pipe_holder):
    server = script_server("--profile", "ready", "--instances", "1", "--delay", "99=3000")
    pipe_holder(server)
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd, timeout=60, capture=False)
    assert result.exit_code == 0
    assert server.commands() == [99] + WHOLE_SWITCH
    assert trace_log.messages(program_dir) == READY_LOG
    assert config_tool.starts() == []


def test_a_pipe_that_stays_busy_fails_the_open_after_one_wait(script_server, program_dir, other_cwd, config_tool,
                                                               pipe_holder):
    server = script_server("--profile", "ready", "--instances", "1", "--delay", "99=60000")
    holder = pipe_holder(server)
    result = wine.run(program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd, timeout=50, capture=False)
    # The wait on the busy pipe timed out long before the holder let go.
    assert holder.poll() is None
    assert result.exit_code == 0
    assert server.commands() == [99]
    # ERROR_SEM_TIMEOUT: the wait's own error, not the busy pipe's.
    assert trace_log.messages(program_dir) == [("ERROR", "Fail to open WMI Script Server [Err=121].")]
    # Without an answer to 17 the switch hands over to the tool.
    assert len(config_tool.wait_for_starts(1)) == 1


def run_switch_under_debugger(debug_capture, program_dir, other_cwd):
    result = wine.run_with_debug_capture(debug_capture, program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd)
    records = [trace_log.parse_line(line) for line in result.stdout.splitlines() if trace_log.HEADER.match(line)]
    return result.exit_code, [(r.level, r.message) for r in records]


def test_a_read_only_program_folder_loses_no_switch_and_no_line(script_server, program_dir, other_cwd,
                                                                debug_capture):
    server = script_server("--profile", "ready")
    with read_only(program_dir):
        exit_code, lines = run_switch_under_debugger(debug_capture, program_dir, other_cwd)
    assert exit_code == 0
    assert server.commands() == WHOLE_SWITCH
    assert lines == READY_LOG
    assert sorted(p.name for p in program_dir.iterdir()) == ["OrvexSwitcher.exe"]
    assert list(other_cwd.iterdir()) == []


def test_a_log_held_by_another_process_stays_as_it_was(script_server, program_dir, other_cwd, debug_capture):
    earlier = b"[Dec  1 2026 10:00:00] [INFO][Orvex_SendCommand():1] an earlier line\r\n"
    trace_log.log_path(program_dir).write_bytes(earlier)
    server = script_server("--profile", "ready")
    holder = subprocess.Popen(["wine", str(built("tests/support/hold_file.exe")),
                               wine.windows_path(trace_log.log_path(program_dir))],
                              env=wine.environment(), stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    try:
        assert holder.stdout.readline().strip() == b"held"
        exit_code, lines = run_switch_under_debugger(debug_capture, program_dir, other_cwd)
        assert trace_log.read_bytes(program_dir) == earlier
    finally:
        holder.stdin.close()
        holder.wait(timeout=60)
    assert holder.returncode == 0
    assert exit_code == 0
    assert server.commands() == WHOLE_SWITCH
    assert lines == READY_LOG
    # Once the file is free again the next run appends to it.
    assert wine.run(program_dir / "OrvexSwitcher.exe", "-nomsg", cwd=other_cwd, timeout=60).exit_code == 0
    assert trace_log.read_bytes(program_dir).startswith(earlier)
    assert trace_log.messages(program_dir)[1:] == READY_LOG


@pytest.mark.parametrize("option", ["-taskbarpin", "-taskbarunpin"])
@pytest.mark.parametrize("temp", ["read-only", "missing"])
def test_an_unwritable_temporary_folder_leaves_nothing_and_exits_1(program_dir, other_cwd, tmp_path, option, temp):
    folder = tmp_path / "temp"
    if temp == "read-only":
        folder.mkdir()
    variables = {"TMP": wine.windows_path(folder), "TEMP": wine.windows_path(folder)}
    with read_only(folder) if temp == "read-only" else nullcontext():
        result = wine.run_with_windows_environment(program_dir / "OrvexSwitcher.exe", option,
                                                   variables=variables, cwd=other_cwd)
    assert result.exit_code == 1
    assert (list(folder.iterdir()) if folder.exists() else []) == []
    assert list(other_cwd.iterdir()) == []
    assert sorted(p.name for p in program_dir.iterdir()) == ["OrvexSwitcher.exe"]


# (registry type, data, whether the box asks). Only a DWORD or exactly four
# bytes of binary count; anything else reads as 0, which asks nothing.
SHOW_MSG_VALUES = [
    ("REG_BINARY", "02000000", True),
    ("REG_SZ", "2", False),
    ("REG_EXPAND_SZ", "2", False),
    ("REG_MULTI_SZ", "2", False),
    ("REG_BINARY", "0200", False),
    ("REG_BINARY", "0200000000000000", False),
    ("REG_QWORD", "2", False),
]


@pytest.mark.parametrize("kind, data, asks", SHOW_MSG_VALUES, ids=[f"{row[0]} {row[1]}" for row in SHOW_MSG_VALUES])
def test_a_show_msg_of_another_type_or_size_counts_as_0(script_server, program_dir, other_cwd, config_tool,
                                                        show_msg, kind, data, asks):
    server = script_server("--profile", "ready")
    show_msg(data, kind)
    screen.move_pointer(1, 1)
    with wine.started(program_dir / "OrvexSwitcher.exe", cwd=other_cwd) as process:
        found = msgbox.box_of(process, timeout=40)
        assert (found is not None) == asks
        if found is not None:
            assert server.commands() == WHOLE_SWITCH[:4]
            screen.key("Escape")
        assert wine.exit_code(process, timeout=30) == (1 if asks else 0)
    assert server.commands() == (WHOLE_SWITCH[:4] if asks else WHOLE_SWITCH)
    screen.wait_until(lambda: not msgbox.box_shown(), message="the box to go")
