"""Orvex_SendCommand against the stand-in script server, end to end: what
the call returns, what it leaves in the caller's value, what it logs and
what crossed the pipe. send_command.exe makes the calls."""
from orvex_e2e import trace_log, wine

SCRIPT = ("[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
          "[104=OrvexMethod,OrvexNotify,][300=NotificationCode,{code},][300=NotifycationParmeter,0,]"
          "[105=$(__PATH),0,][301=NotifycationReturnValue,]")
E_FAIL = 0x80004005


def send(driver_dir, *calls, cwd=None):
    """Runs send_command.exe and returns (result, value) per call."""
    result = wine.run(driver_dir / "send_command.exe", *calls, cwd=cwd)
    assert result.exit_code == 0, result.stderr
    return [tuple(int(word, 16) for word in line.split()) for line in result.stdout.splitlines()]


def info(value, code):
    return ("INFO", f"0x{value:08x} = OrvexNotify(0x{code:08x}, 0x00000000).")


def error(result, index, code):
    return ("ERROR", f"[HRESULT=0x{result:08x}] [ActionIndex={index}] OrvexNotify(0x{code:08x}, 0x00000000).")


def test_without_a_server_the_open_fails_and_the_value_keeps_its_preset(driver_dir, other_cwd):
    assert send(driver_dir, "24:0x40000000", "17:1", cwd=other_cwd) == [(0x80070002, 0x40000000), (0x80070002, 1)]
    assert trace_log.messages(driver_dir, "Orvex_SendCommand") == [
        ("ERROR", "Fail to open WMI Script Server [Err=2].")] * 2


def test_the_switch_questions_are_answered_and_logged_and_each_script_is_the_notify_script(
        script_server, driver_dir, other_cwd):
    server = script_server("--profile", "ready")
    outcomes = send(driver_dir, "17:1", "24", "16:0", "24", "20:1", cwd=other_cwd)
    assert outcomes == [(0, 0), (0, 10), (0, 0x40000021), (0, 10), (0, 0)]
    assert trace_log.messages(driver_dir) == [
        info(0, 17), info(10, 24), info(0x40000021, 16), info(10, 24), info(0, 20)]
    assert server.scripts() == [SCRIPT.format(code=code) for code in (17, 24, 16, 24, 20)]


def test_a_failure_reported_by_the_server_is_logged_with_its_action_and_keeps_the_preset(
        script_server, driver_dir):
    script_server("--profile", "absent")
    assert send(driver_dir, "16:0x40000000") == [(0x80041002, 0x40000000)]
    assert trace_log.messages(driver_dir) == [error(0x80041002, 3, 16)]


def test_the_reply_is_read_whatever_the_case_of_its_keys(script_server, driver_dir):
    script_server("--answer", "16=5", "--lower-case-keys")
    assert send(driver_dir, "16:0") == [(0, 5)]
    assert trace_log.messages(driver_dir) == [info(5, 16)]


def test_a_reply_of_5000_bytes_is_read_whole_across_two_passes(script_server, driver_dir, tmp_path):
    # The first 4096 bytes (2048 characters) end inside the return value.
    head = "Pad=" + "p" * 2020 + ";WMIS_HRESULT=0;"
    reply = head + "NotifycationReturnValue=1073741857;Tail="
    reply += "t" * (2500 - len(reply))
    assert len(head) < 2048 < len(head) + len("NotifycationReturnValue=1073741857")
    assert len(reply.encode("utf-16-le")) == 5000
    profile = tmp_path / "long.profile"
    profile.write_text(f"# one long reply\nraw 16={reply}\n", encoding="utf-8")
    script_server("--profile", wine.windows_path(profile))
    assert send(driver_dir, "16:0") == [(0, 0x40000021)]
    assert trace_log.messages(driver_dir) == [info(0x40000021, 16)]


# A busy pipe waited for, and one that stays busy, are shown with the whole
# switch in test_robustness.py.


def test_a_server_that_closes_without_answering_leaves_the_preset(script_server, driver_dir):
    server = script_server("--close", "16")
    assert send(driver_dir, "16:0", "17:1") == [(E_FAIL, 0), (0, 0)]
    assert trace_log.messages(driver_dir) == [error(E_FAIL, "", 16), info(0, 17)]
    assert len(server.scripts()) == 2


def test_a_pipe_that_is_not_of_message_type_fails_the_send(script_server, driver_dir):
    script_server("--byte-pipe")
    assert send(driver_dir, "17:1") == [(0x80070057, 1)]
    assert trace_log.messages(driver_dir) == [("ERROR", "Fail to send WMI script [Err=87].")]


# Raw replies to codes 1 to 9, preset 0x40000000 each.
MALFORMED = [
    ("", E_FAIL, 0x40000000),
    ("WMIS_HRESULT", E_FAIL, 0x40000000),
    ("=0;WMIS_HRESULT=0;NotifycationReturnValue=1", E_FAIL, 0x40000000),
    ("WMIS_HRESULT=0;;NotifycationReturnValue=1", 0, 0x40000000),
    ("WMIS_HRESULT=0;NotifycationReturnValue=7\\u0000;NotifycationReturnValue=8", 0, 7),
    ("WMIS_HRESULT=0;NotifycationReturnValue=" + "9" * 3000, 0, 0x40000000),
    ("WMIS_HRESULT=0;NotifycationReturnValue=\\ud800\\udfff", 0, 0x40000000),
    ("WMIS_HRESULT=-1;NotifycationReturnValue=6", 0xFFFFFFFF, 6),
    ("NotifycationReturnValue=;WMIS_HRESULT=0;x=" + "y" * 100000, 0, 0x40000000),
]


def test_malformed_replies_end_in_the_documented_result_and_value(script_server, driver_dir, tmp_path):
    profile = tmp_path / "malformed.profile"
    profile.write_text("".join(f"raw {code}={reply}\n" for code, (reply, _, _) in enumerate(MALFORMED, 1)),
                       encoding="utf-8")
    script_server("--profile", wine.windows_path(profile))
    calls = [f"{code}:0x40000000" for code in range(1, len(MALFORMED) + 1)]
    assert send(driver_dir, *calls) == [(result, value) for _, result, value in MALFORMED]
    levels = [level for level, _ in trace_log.messages(driver_dir)]
    assert levels == ["INFO" if result == 0 else "ERROR" for _, result, _ in MALFORMED]
