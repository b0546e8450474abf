"""Shared rig of the end-to-end tests: the real programs under Wine.

The test command sets ORVEX_WINDOWS_BUILD (the cross build's tree), WINEPREFIX
and DISPLAY. Each test copies the programs it needs into its own temporary
folder and starts them from another current directory.
"""
import os
import shutil
from pathlib import Path

import pytest

from orvex_e2e import wine
from orvex_e2e.config_tool import ConfigTool
from orvex_e2e.script_server import ScriptServer

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("ORVEX_WINDOWS_BUILD", REPO / "build" / "windows"))


def built(relative):
    path = BUILD / relative
    if not path.exists():
        pytest.fail(f"{path} is not built; build the windows preset first")
    return path


def folder_with(folder, relative):
    """Makes folder and copies the built program at relative into it."""
    folder.mkdir()
    program = built(relative)
    shutil.copy2(program, folder / program.name)
    return folder


@pytest.fixture
def program_dir(tmp_path):
    """A fresh folder holding a copy of OrvexSwitcher.exe."""
    return folder_with(tmp_path / "program", "src/OrvexSwitcher.exe")


@pytest.fixture
def config_tool(program_dir):
    """The stand-in OrvexConfigTool.exe beside the program; released if held."""
    tool = ConfigTool(built("tools/config_tool/OrvexConfigTool.exe"), program_dir)
    yield tool
    tool.release()


@pytest.fixture
def other_cwd(tmp_path):
    """A current directory that is not the program's."""
    folder = tmp_path / "elsewhere"
    folder.mkdir()
    return folder


@pytest.fixture
def debug_capture():
    return built("tests/support/debug_capture.exe")


@pytest.fixture
def show_msg():
    """Sets the ShowMsg registry value for one test and removes it after."""
    def set_value(value, kind="REG_DWORD"):
        wine.set_show_msg(value, kind)
    yield set_value
    wine.delete_show_msg()


@pytest.fixture
def driver_dir(tmp_path):
    """A fresh folder holding send_command.exe, which calls Orvex_SendCommand
    directly; its ORVEXLOG.log appears there."""
    return folder_with(tmp_path / "driver", "tests/support/send_command.exe")


@pytest.fixture
def script_server(tmp_path):
    """Starts the stand-in script server: script_server("--profile", "ready").
    Every server started is stopped after the test."""
    servers = []

    def start(*arguments, time_limit=300):
        folder = tmp_path / f"script-server-{len(servers)}"
        server = ScriptServer(built("tools/script_server/OrvexScriptServer.exe"), folder, arguments, time_limit)
        servers.append(server)
        return server.start()

    yield start
    for server in servers:
        server.stop()


@pytest.fixture
def msgbox_viewer():
    """The box viewer: shows one message box and exits with the answer."""
    return built("tools/msgbox_viewer/msgbox_viewer.exe")


@pytest.fixture
def msaa_client():
    """The screen reader's stand-in: an Active Accessibility client (see
    orvex_e2e/reader.py)."""
    return built("tests/support/msaa_client.exe")
