"""Shared rig of the end-to-end tests: the real programs under Wine. The test
command sets ORVEX_WINDOWS_BUILD (the cross build's tree), WINEPREFIX and
DISPLAY. Each test copies the programs it needs into a folder of its own and
starts them from another current directory."""
import os
import shutil
import subprocess
from contextlib import contextmanager
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
    shutil.copy2(built(relative), folder)
    return folder


@contextmanager
def unwritable(folder):
    """A folder in which a Wine program can neither make nor remove a name;
    the files already in it stay writable. Mode bits do it for a normal user;
    root ignores them, so for root the immutable attribute does it."""
    as_root = os.geteuid() == 0
    if as_root:
        subprocess.run(["chattr", "+i", str(folder)], check=True, timeout=30)
    else:
        folder.chmod(0o555)
    try:
        yield
    finally:
        if as_root:
            subprocess.run(["chattr", "-i", str(folder)], check=True, timeout=30)
        else:
            folder.chmod(0o755)


@pytest.fixture
def program_dir(tmp_path):
    return folder_with(tmp_path / "program", "src/OrvexSwitcher.exe")


@pytest.fixture
def program(program_dir):
    return program_dir / "OrvexSwitcher.exe"


@pytest.fixture
def other_cwd(tmp_path):
    (tmp_path / "elsewhere").mkdir()
    return tmp_path / "elsewhere"


@pytest.fixture
def config_tool(program_dir):
    """The stand-in OrvexConfigTool.exe beside the program."""
    tool = ConfigTool(built("tools/config_tool/OrvexConfigTool.exe"), program_dir)
    yield tool
    tool.hold_path.unlink(missing_ok=True)


@pytest.fixture(scope="module")
def prefix(tmp_path_factory):
    """A Wine prefix of the module's own, for runs that end its session or
    install into it; the environment that selects it."""
    folder = tmp_path_factory.mktemp("prefix") / "prefix"
    env = wine.create_prefix(folder)
    yield env
    wine.stop_prefix(env)
    shutil.rmtree(folder, ignore_errors=True)


@pytest.fixture
def show_msg():
    """Sets ShowMsg for one test and removes it after."""
    yield wine.set_show_msg
    wine.delete_show_msg()


@pytest.fixture
def script_server(tmp_path):
    """Starts the stand-in script server, script_server("--profile", "ready");
    every server started is stopped after the test."""
    servers = []

    def start(*arguments):
        servers.append(ScriptServer(built("tools/script_server/OrvexScriptServer.exe"),
                                    tmp_path / f"server-{len(servers)}", arguments))
        return servers[-1].start()
    yield start
    for server in servers:
        server.stop()


@pytest.fixture
def msaa_client():
    """The screen reader's stand-in: an Active Accessibility client (see
    orvex_e2e/reader.py)."""
    return built("tests/support/msaa_client.exe")
