"""A smoke run of the stand-in script server on its own: it refuses bad
arguments, answers and stops on request. (The companion tool records its
start in every hand-over test, the box viewer runs in every screen test.)"""
from conftest import built, folder_with
from orvex_e2e import wine


def test_the_script_server_refuses_bad_arguments_and_stops_on_request(script_server, tmp_path):
    server_program = built("tools/script_server/OrvexScriptServer.exe")
    assert wine.run(server_program, "--answer", "17").exit_code == 2
    server = script_server("--answer", "24=10,2")
    # send_command.exe calls Orvex_SendCommand directly; its log lands beside it.
    driver = folder_with(tmp_path / "driver", "tests/support/send_command.exe") / "send_command.exe"
    result = wine.run(driver, "24", "24", "24")
    assert result.stdout.split() == ["0x00000000", "0x0000000a", "0x00000000", "0x00000002", "0x00000000",
                                     "0x00000002"]
    assert server.stop() == 0 and "stopped" in server.output()
