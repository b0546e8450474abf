"""The stand-in WMI Script Server itself: its profiles, its check of the
scripts it receives, its record, and how it starts and stops."""
import pytest

from conftest import built
from orvex_e2e import wine
from orvex_e2e.script_server import ScriptServer

SCRIPT_17 = ("[100=root\\wmi,0,][101=4,3,0,][102=Select * from OrvexMethod,16,][200=-1,][401=__PATH,]"
             "[104=OrvexMethod,OrvexNotify,][300=NotificationCode,17,][300=NotifycationParmeter,0,]"
             "[105=$(__PATH),0,][301=NotifycationReturnValue,]")


def server_program():
    return built("tools/script_server/OrvexScriptServer.exe")


def values(driver_dir, *calls):
    result = wine.run(driver_dir / "send_command.exe", *calls)
    assert result.exit_code == 0, result.stderr
    return [tuple(int(word, 16) for word in line.split()) for line in result.stdout.splitlines()]


def send_script(driver_dir, text):
    """The reply's entries to a script text of our own."""
    result = wine.run(driver_dir / "send_command.exe", "--script", text)
    assert result.exit_code == 0, result.stderr
    return dict(line.split("=", 1) for line in result.stdout.splitlines())


# The named profiles are each run through the switch flows in
# test_switch_flows.py, where a wrong answer changes what the program does.


def test_successive_answers_sizes_and_failures_come_from_the_command_line(script_server, driver_dir):
    script_server("--answer", "24=10,2", "--size", "16=5000", "--fail", "20=0x80041001@9")
    assert values(driver_dir, "24", "24", "24", "16:0", "20:1") == [
        (0, 10), (0, 2), (0, 2), (0, 0x40000021), (0x80041001, 1)]


@pytest.mark.parametrize("text, action", [
    (SCRIPT_17.replace("NotificationCode,17", "NotificationCode,017"), "7"),
    (SCRIPT_17 + "[7=,]", "11"),
])
def test_a_script_that_is_not_the_notify_script_is_refused_at_its_first_wrong_action(
        script_server, driver_dir, text, action):
    server = script_server()
    assert send_script(driver_dir, text) == {"WMIS_HRESULT": str(0x80041008 - (1 << 32)), "WMIS_ActionIndex": action}
    assert server.scripts() == [text]


def test_the_record_holds_one_utf8_line_per_script(script_server, driver_dir):
    server = script_server()
    send_script(driver_dir, "[1=\u4e2d\u00e9,]\r\n[2=x,]")
    send_script(driver_dir, SCRIPT_17)
    assert server.record_path.read_bytes() == (
        "[1=\u4e2d\u00e9,]\\r\\n[2=x,]\n".encode() + SCRIPT_17.encode() + b"\n")


def test_the_server_stops_on_request_and_says_so_when_none_runs(tmp_path):
    program = server_program()
    assert wine.run(program, "--stop").exit_code == 1
    server = ScriptServer(program, tmp_path / "server").start()
    try:
        # One server per pipe name: a second one refuses to start.
        second = wine.run(program, "--time-limit", "5")
        assert second.exit_code == 1
        assert "another script server is running" in second.stderr + second.stdout
        assert wine.run(program, "--stop").exit_code == 0
        assert server.process.wait(timeout=30) == 0
        assert "OrvexScriptServer: stopped" in server.output()
    finally:
        server.kill()


def test_the_server_ends_by_itself_at_its_time_limit(tmp_path):
    server = ScriptServer(server_program(), tmp_path / "server", time_limit=2).start()
    try:
        assert server.process.wait(timeout=60) == 0
        assert "time limit reached" in server.output()
    finally:
        server.kill()


@pytest.mark.parametrize("arguments", [["--answer", "17"], ["--profile", "nonesuch"], ["--record"]])
def test_bad_arguments_are_refused_with_the_usage(arguments):
    result = wine.run(server_program(), *arguments)
    assert result.exit_code == 2
    assert "usage: OrvexScriptServer.exe" in result.stderr
