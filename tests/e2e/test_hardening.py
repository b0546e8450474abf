"""The program against a local attacker who plants things where it looks."""
import os
import shutil

import pytest

from conftest import built
from orvex_e2e import trace_log, wine

FORGED = ("[Dec  1 2026 10:00:00] [INFO][Orvex_SendCommand():47] "
          "0x00000000 = OrvexNotify(0x00000014, 0x00000000).")
SHORTCUT = "OrvexSwitcher.lnk"
S3_REFUSED = "Sleep state S3 is not supported [Err=0]."


# Libraries that Windows looks for in the program's folder first: the
# system's other generator (bcrypt), the one that advapi32's
# RtlGenRandom is forwarded to (cryptbase), and the power library (a known
# DLL on Windows, but not under Wine).
PLANTED = ("bcrypt", "cryptbase", "powrprof")


def test_a_library_planted_beside_the_program_is_never_loaded(program, program_dir, other_cwd):
    for name in PLANTED:
        shutil.copy2(built("tests/support/powrprof.dll"), program_dir / f"{name}.dll")
    # As on Windows, a library of the program's folder comes before the system's own.
    env = {"WINEDLLOVERRIDES": wine.environment()["WINEDLLOVERRIDES"] + "".join(f";{n}=n,b" for n in PLANTED)}
    # The planted library would report S3 and accept it; the system's does not.
    assert wine.run(program, "-s3", cwd=other_cwd, env=env).exit_code == 1
    assert wine.run(program, "-s4", cwd=other_cwd, env=env).exit_code == 0
    assert not (program_dir / "planted-library-ran.txt").exists()
    assert trace_log.messages(program_dir) == trace_log.messages(program_dir, "DoS3") == [("ERROR", S3_REFUSED)]


def test_a_reply_cannot_forge_a_log_record(script_server, program_dir, other_cwd, config_tool):
    server = script_server("--profile", "ready",
                           "--raw", "17=WMIS_HRESULT=-2147217400;WMIS_ActionIndex=9\\u000d\\u000a" + FORGED)
    result = wine.run(program_dir / "OrvexSwitcher.exe", cwd=other_cwd, capture=False)
    assert result.exit_code == 0, "command 17 failed, so the tool takes over"
    assert server.commands() == [17]
    escaped = "[HRESULT=0x80041008] [ActionIndex=9\\x0d\\x0a" + FORGED + "] OrvexNotify(0x00000011, 0x00000000)."
    assert trace_log.messages(program_dir, "Orvex_SendCommand") == trace_log.messages(program_dir) == [
        ("ERROR", escaped)]


PLANT = {
    "symbolic link": lambda name, victim: name.symlink_to(victim),
    "dangling link": lambda name, victim: name.symlink_to(victim.with_name("created-through-a-link")),
    "hard link": lambda name, victim: os.link(victim, name),
    "folder": lambda name, victim: name.mkdir(),
}


@pytest.mark.parametrize("kind", PLANT)
def test_the_taskbar_options_and_the_log_leave_a_planted_link_and_its_target_alone(program, program_dir, other_cwd,
                                                                                   tmp_path, kind):
    temp = tmp_path / "temp"
    temp.mkdir()
    victim = tmp_path / "victim.txt"
    victim.write_bytes(b"a file elsewhere on the disk")
    PLANT[kind](temp / SHORTCUT, victim)
    result = wine.run_with_temp(program, "-taskbarpin", temp=wine.windows_path(temp) + "\\", cwd=other_cwd)
    assert result.exit_code == 1
    assert os.path.lexists(temp / SHORTCUT)
    if kind != "folder":
        # Wine has no S3: the action writes one record, or would.
        PLANT[kind](program_dir / trace_log.LOG_NAME, victim)
        assert wine.run(program, "-s3", cwd=other_cwd).exit_code == 1
    assert victim.read_bytes() == b"a file elsewhere on the disk"
    assert not (tmp_path / "created-through-a-link").exists()


def test_a_program_path_cut_by_the_system_launches_nothing(tmp_path, other_cwd):
    # The system cuts the program's path at 259 characters, inside the name
    # of the program's own folder: the cut path's folder is the parent.
    parent_length = 200 - len(wine.windows_path(tmp_path)) - 2
    parent = tmp_path / ("p" * parent_length)
    folder = parent / ("q" * 80)
    folder.mkdir(parents=True)
    assert len(wine.windows_path(folder / "OrvexSwitcher.exe")) > 260
    shutil.copy2(built("src/OrvexSwitcher.exe"), folder / "OrvexSwitcher.exe")
    shutil.copy2(built("tools/config_tool/OrvexConfigTool.exe"), parent / "OrvexConfigTool.exe")
    result = wine.run(folder / "OrvexSwitcher.exe", "-config", cwd=other_cwd, capture=False)
    assert result.exit_code == 1
    assert not (parent / "OrvexConfigTool.started.txt").exists()
