"""The trace log of a real program: ORVEXLOG.log next to the program file,
appended to by every run, and each line on the debugger output as well.
send_command.exe writes the records (one per firmware call)."""
from orvex_e2e import trace_log, wine

OPEN_FAILURE = "Fail to open WMI Script Server [Err=2]."


def send(driver_dir, *calls, cwd):
    result = wine.run(driver_dir / "send_command.exe", *calls, cwd=cwd)
    assert result.exit_code == 0, result.stderr
    return result


def debugger_records(output):
    """The trace records among the lines that debug_capture printed (the
    program's own output shares its standard output)."""
    return [trace_log.parse_line(line) for line in output.splitlines() if trace_log.HEADER.match(line)]


def test_the_log_sits_next_to_the_program_and_every_run_appends(driver_dir, other_cwd):
    send(driver_dir, "17:1", cwd=other_cwd)
    assert not (other_cwd / trace_log.LOG_NAME).exists()
    records = trace_log.records(driver_dir)
    assert [(r.level, r.function, r.message) for r in records] == [("ERROR", "Orvex_SendCommand", OPEN_FAILURE)]
    assert records[0].line > 0
    first = trace_log.read_bytes(driver_dir)
    send(driver_dir, "24", "16:0", cwd=driver_dir)
    after = trace_log.read_bytes(driver_dir)
    assert after.startswith(first)
    assert trace_log.messages(driver_dir) == [("ERROR", OPEN_FAILURE)] * 3


# A read-only program folder (file line lost, debugger line kept) is shown
# with the whole switch in test_robustness.py.
def test_the_file_line_stops_before_a_character_above_255_and_the_debugger_line_does_not(
        script_server, driver_dir, other_cwd, debug_capture):
    script_server("--raw", "16=WMIS_HRESULT=1;WMIS_ActionIndex=caf\\u00e9\\u4e2dX")
    result = wine.run_with_debug_capture(debug_capture, driver_dir / "send_command.exe", "16:0", cwd=other_cwd)
    assert result.exit_code == 0, result.stderr
    content = trace_log.read_bytes(driver_dir)
    assert content.endswith(b"] [HRESULT=0x00000001] [ActionIndex=caf\xe9")
    assert content.count(b"\n") == 0
    # The debugger gets the whole line. Windows hands it over as wide text;
    # Wine 8 passes it through the ANSI code page, where the character
    # becomes "?".
    whole = "[HRESULT=0x00000001] [ActionIndex=caf\u00e9{}X] OrvexNotify(0x00000010, 0x00000000)."
    assert [r.message for r in debugger_records(result.stdout)] in (
        [whole.format("\u4e2d")], [whole.format("?")])
