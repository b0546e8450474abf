"""Orvex_SendCommand through the real pipe, against the stand-in script
server: what the call returns, leaves in the caller's value, logs, and sends.
send_command.exe makes the calls and prints result and value of each."""
from orvex_e2e import trace_log, wine

SCRIPT = ("[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
          "[104=OrvexMethod,OrvexNotify,][300=NotificationCode,{code},][300=NotifycationParmeter,0,]"
          "[105=$(__PATH),0,][301=NotifycationReturnValue,]")


def send(driver_dir, *calls, cwd=None):
    result = wine.run(driver_dir / "send_command.exe", *calls, cwd=cwd)
    assert result.exit_code == 0, result.stderr
    return [tuple(int(word, 16) for word in line.split()) for line in result.stdout.splitlines()]


def info(value, code):
    return ("INFO", f"0x{value:08x} = OrvexNotify(0x{code:08x}, 0x00000000).")


def test_without_a_server_the_open_fails_and_the_value_keeps_its_preset(driver_dir, other_cwd):
    assert send(driver_dir, "24:0x40000000", cwd=other_cwd) == [(0x80070002, 0x40000000)]
    assert trace_log.messages(driver_dir, "Orvex_SendCommand") == [
        ("ERROR", "Fail to open WMI Script Server [Err=2].")]
    assert list(other_cwd.iterdir()) == []


def test_each_call_sends_the_notify_script_and_logs_the_answer(script_server, driver_dir):
    server = script_server("--profile", "ready")
    assert send(driver_dir, "17:1", "16:0") == [(0, 0), (0, 0x40000021)]
    assert server.scripts() == [SCRIPT.format(code=17), SCRIPT.format(code=16)]
    assert trace_log.messages(driver_dir) == [info(0, 17), info(0x40000021, 16)]


def test_a_failure_reported_by_the_server_is_logged_with_its_action(script_server, driver_dir):
    script_server("--profile", "absent")
    assert send(driver_dir, "16:0x40000000") == [(0x80041002, 0x40000000)]
    assert trace_log.messages(driver_dir) == [
        ("ERROR", "[HRESULT=0x80041002] [ActionIndex=3] OrvexNotify(0x00000010, 0x00000000).")]


def test_a_pipe_that_is_not_of_message_type_fails_the_send(script_server, driver_dir):
    script_server("--byte-pipe")
    assert send(driver_dir, "17:1") == [(0x80070057, 1)]
    assert trace_log.messages(driver_dir) == [("ERROR", "Fail to send WMI script [Err=87].")]
