"""The end-to-end rig: the real programs under Wine (the test command sets
ORVEX_WINDOWS_BUILD, WINEPREFIX and DISPLAY), each copied into a folder of the
test's own and started from another current directory."""
import os
import shutil
import subprocess
from contextlib import contextmanager
from pathlib import Path

import pytest

from orvex_e2e import trace_log, wine
from orvex_e2e.config_tool import ConfigTool
from orvex_e2e.script_server import ScriptServer

REPO = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("ORVEX_WINDOWS_BUILD", REPO / "build" / "windows"))
LABELS = "OK|Cancel|Abort|Try|Retry|Ignore|Yes|No|Continue"


def built(relative):
    path = BUILD / relative
    if not path.exists():
        pytest.fail(f"{path} is not built; build the windows preset first")
    return path


def viewer(text, caption, style, *options, env=None, stdout=subprocess.DEVNULL):
    """The box viewer showing a box, its answer the exit code, until the end of the block."""
    return wine.started(built("tools/msgbox_viewer/msgbox_viewer.exe"), *options, text, caption, str(style), "-1",
                        env=env, stdout=stdout)


def folder_with(folder, relative):
    folder.mkdir()
    shutil.copy2(built(relative), folder)
    return folder


@contextmanager
def unwritable(folder):
    """A folder in which a Wine program can neither make nor remove a name;
    the files already in it stay writable. Mode bits do it for a normal user;
    root ignores them, so for root the immutable attribute does it."""
    def lock(on):
        if os.geteuid() == 0:
            subprocess.run(["chattr", "+i" if on else "-i", str(folder)], check=True, timeout=30)
        else:
            folder.chmod(0o555 if on else 0o755)
    lock(True)
    try:
        yield
    finally:
        lock(False)


@contextmanager
def log_held(program_dir):
    """The program's log held open without sharing by another program, as an
    editor or a virus scanner might, until the end of the block."""
    with wine.started(built("tests/support/hold_file.exe"), wine.windows_path(program_dir / trace_log.LOG_NAME),
                      stdin=subprocess.PIPE, stdout=subprocess.PIPE) as holder:
        assert holder.stdout.readline().strip() == b"held"
        yield
        holder.stdin.close()   # it lets go of the log and ends
        assert wine.exit_code(holder) == 0


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
    tool = ConfigTool(built("tools/config_tool/OrvexConfigTool.exe"), program_dir)
    yield tool
    tool.hold_path.unlink(missing_ok=True)


@pytest.fixture(scope="module")
def prefix(tmp_path_factory):
    """The environment of a Wine prefix of the module's own, for runs that end
    its session or install into it."""
    with wine.own_prefix(tmp_path_factory.mktemp("prefix") / "prefix") as env:
        yield env


@pytest.fixture
def show_msg():
    yield wine.set_show_msg
    wine.run("reg", "delete", wine.REGISTRY_KEY, "/v", "ShowMsg", "/f")


@pytest.fixture
def script_server(tmp_path):
    """Starts a stand-in script server, script_server("--profile", "ready"),
    stopped after the test."""
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
    return built("tests/support/msaa_client.exe")
