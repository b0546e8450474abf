"""The release as the package command writes it (signed with a certificate made
here, again elsewhere with those signatures, and unsigned at a later version)
and as msiexec installs, upgrades, refuses and removes it in a prefix of its own."""
import hashlib
import os
import re
import subprocess
import zipfile
from pathlib import Path
from types import SimpleNamespace
from xml.etree import ElementTree

import pytest

from conftest import BUILD, REPO
from orvex_e2e import wine

TIMEOUT = 120
INSTALL_FOLDER = r"C:\Program Files\Norlak\OrvexSwitcher"
ERROR_INSTALL_FAILURE = 1603


def package(folder, signing, *arguments):
    env = {name: value for name, value in os.environ.items() if not name.startswith("ORVEX_SIGN_")} | signing
    done = subprocess.run([REPO / "scripts" / "package.sh", "--from-build", BUILD, "--out", folder, *arguments],
                          env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=TIMEOUT)
    assert done.returncode == 0, done.stdout + done.stderr
    (msi,) = folder.glob("*.msi")
    return SimpleNamespace(version=msi.stem.removeprefix("OrvexSwitcher-"), folder=folder, msi=msi,
                           stage=folder / msi.stem, exe=folder / msi.stem / "OrvexSwitcher.exe", output=done.stdout)


@pytest.fixture(scope="module")
def packages(tmp_path_factory):
    folder = tmp_path_factory.mktemp("packages")
    cert, key = folder / "cert.pem", folder / "key.pem"
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                    "/CN=OrvexSwitcher test", "-addext", "extendedKeyUsage=codeSigning", "-keyout", key, "-out", cert],
                   check=True, capture_output=True, timeout=TIMEOUT)
    project = re.search(r"project\(OrvexSwitcher VERSION (\d+)\.(\d+)\.(\d+)", (REPO / "CMakeLists.txt").read_text())
    older = package(folder / "older", {"ORVEX_SIGN_CERT": str(cert), "ORVEX_SIGN_KEY": str(key)})
    newer = package(folder / "newer", {}, "--version", f"{project[1]}.{int(project[2]) + 1}.0")
    again = package(folder / "older, again", {}, "--signatures-from", older.folder)
    assert older.version == ".".join(project.groups())
    return {"older": older, "newer": newer, "cert": cert, "again": again}


def verifies(path, cert):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", path], stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=TIMEOUT).returncode == 0


def test_signatures_checksums_and_archives(packages):
    older, newer, cert = packages["older"], packages["newer"], packages["cert"]
    cases = [(older.exe, True), (older.msi, True), (newer.exe, False), (newer.msi, False)]
    assert [(path.name, verifies(path, cert)) for path, _ in cases] == [(path.name, ok) for path, ok in cases]
    assert ("NOT signed" in older.output, "NOT signed" in newer.output) == (False, True)
    for built in (older, newer):
        sums = dict(reversed(line.split("  ")) for line in (built.folder / "SHA256SUMS").read_text().splitlines())
        names = [f"{built.msi.stem}.zip", built.msi.name, f"{built.msi.stem}-test-tools.zip"]
        assert sums == {name: hashlib.sha256((built.folder / name).read_bytes()).hexdigest() for name in names}
    # Packed again, later, elsewhere and without keys, with the signatures of
    # the first: the same bytes, as a user who checks a release makes them.
    assert (packages["again"].folder / "SHA256SUMS").read_text() == (older.folder / "SHA256SUMS").read_text()
    with zipfile.ZipFile(older.folder / f"{older.msi.stem}.zip") as users:   # no stand-ins
        assert {name.split("/")[1] for name in users.namelist()} == {"OrvexSwitcher.exe", "PolicyDefinitions",
                                                                      "README.md"}


def test_the_policy_template_sets_the_value_the_program_reads(packages):
    folder = packages["older"].stage / "PolicyDefinitions"
    assert subprocess.run(["xmllint", "--noout", *folder.rglob("*.adm[lx]")], timeout=TIMEOUT).returncode == 0
    policy = ElementTree.parse(folder / "OrvexSwitcher.admx").find(".//{*}policy")
    enum = policy.find(".//{*}enum")
    for text in (policy.get("key"), enum.get("valueName")):   # the program's wide strings
        assert (text.encode("utf-16-le") + b"\0\0") in packages["older"].exe.read_bytes(), text
    # Decimal values are REG_DWORD, the only type the program takes.
    assert [int(item.find(".//{*}decimal").get("value")) for item in enum] == [0, 1, 2]


def test_users_may_append_to_the_installed_log_and_nothing_else(packages):
    files, locks = ([line.split("\t") for line in subprocess.run(
        ["msiinfo", "export", packages["older"].msi, table], capture_output=True, text=True, check=True,
        timeout=TIMEOUT).stdout.splitlines()[3:]] for table in ("File", "MsiLockPermissionsEx"))
    # Users: FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE; nothing inherited.
    assert [([file[2] for file in files if file[0] == lock[1]], lock[2:]) for lock in locks] == [
        (["ORVEXLOG.log"], ["File", "D:P(A;;FA;;;SY)(A;;FA;;;BA)(A;;0x100084;;;BU)", ""])]


def reg_tree(key, view, env):
    """{key: {value name: (type, data)}} under key in the 32- or 64-bit view; None without the key."""
    result = wine.run("reg", "query", key, "/s", f"/reg:{view}", env=env)
    if result.exit_code != 0:
        return None
    keys, values = {}, None
    for line in result.stdout.splitlines():
        if line.startswith("HKEY_"):
            values = keys.setdefault(line.strip(), {})
        elif values is not None and len(fields := line.strip().split("    ")) == 3:
            values[fields[0]] = (fields[1], fields[2])
    return keys


def observe(root, env):
    drive, folder = root / "drive_c", root / "drive_c" / "Program Files" / "Norlak"
    products = reg_tree(r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall", 64, env) or {}
    # Windows puts a per-machine shortcut into the common Start menu, Wine into the user's.
    links = [*drive.glob("ProgramData/Microsoft/Windows/Start Menu/Programs/OrvexSwitcher.lnk"),
             *drive.glob("users/*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/OrvexSwitcher.lnk")]
    return {
        "versions": [values["DisplayVersion"][1] for values in products.values()
                     if values.get("DisplayName") == ("REG_SZ", "OrvexSwitcher")],
        "registry": reg_tree(r"HKLM\SOFTWARE\Norlak", 64, env),
        "registry 32-bit": reg_tree(r"HKLM\SOFTWARE\Norlak", 32, env),
        "files": sorted(path.relative_to(folder).as_posix() for path in folder.rglob("*")) if folder.exists() else None,
        "files 32-bit": (drive / "Program Files (x86)" / "Norlak").exists(),
        "shortcut targets": [(INSTALL_FOLDER + r"\OrvexSwitcher.exe").encode() in link.read_bytes() for link in links],
    }


def expected(version, show_msg):
    return {
        "versions": [version] if version else [],
        "registry": None if show_msg is None else
        {r"HKEY_LOCAL_MACHINE\SOFTWARE\Norlak\NorlakPivra": {"ShowMsg": ("REG_DWORD", f"{show_msg:#x}")}},
        "registry 32-bit": None,
        "files": ["OrvexSwitcher", "OrvexSwitcher/ORVEXLOG.log", "OrvexSwitcher/OrvexSwitcher.exe",
                  "OrvexSwitcher/README.md"] if version else None,
        "files 32-bit": False,
        "shortcut targets": [True] if version else [],
    }


# (msiexec action, package, properties, exit code, package installed after
#  it, ShowMsg after it, whether the installed program is run after it)
STEPS = [
    ("/i", "older", ["SHOWMSG=2"], 0, "older", 2, True),
    ("/i", "newer", [], 0, "newer", 2, False),                                 # an upgrade keeps the value
    ("/i", "older", ["SHOWMSG=1"], ERROR_INSTALL_FAILURE, "newer", 2, True),  # a downgrade is refused
    ("/x", "newer", [], 0, None, None, False),                                 # removal, with the log
    ("/i", "older", [], 0, "older", None, False),                              # a first install writes no value
    ("/i", "newer", ["SHOWMSG=0"], 0, "newer", 0, False),                      # a value given is written
    ("/x", "newer", [], 0, None, None, False),
]


def test_install_upgrade_downgrade_and_removal(packages, prefix, tmp_path):
    root, env = Path(prefix["WINEPREFIX"]), prefix
    installed = root / "drive_c" / "Program Files" / "Norlak" / "OrvexSwitcher"
    log = b""   # an install makes the log empty; an upgrade and a refused downgrade keep it
    for step, (action, name, properties, code, package_after, show_msg, run) in enumerate(STEPS, 1):
        result = wine.run("msiexec", action, wine.windows_path(packages[name].msi), "/qn", *properties,
                          env=env, timeout=TIMEOUT, capture=False)
        # Wine's msiexec reaches the shell with its exit code cut to 8 bits.
        assert (step, result.exit_code & 0xFF) == (step, code & 0xFF)
        version = packages[package_after].version if package_after else None
        assert (step, observe(root, env)) == (step, expected(version, show_msg))
        if not version:
            log = b""
            continue
        assert (step, (installed / "ORVEXLOG.log").read_bytes()) == (step, log)
        readme = (installed / "README.md").read_text("utf-8")
        assert (step, f"OrvexSwitcher-{version}.msi" in readme, "<version>" in readme) == (step, True, False)
        signed = verifies(installed / "OrvexSwitcher.exe", packages["cert"])
        assert (step, signed) == (step, package_after == "older")
        if run:
            # Without the script server the switch logs the failed open and
            # hands over to the companion tool, which is not there.
            ran = wine.run(INSTALL_FOLDER + r"\OrvexSwitcher.exe", "-nomsg", cwd=tmp_path, env=env, timeout=60)
            log = (installed / "ORVEXLOG.log").read_bytes()
            assert (ran.exit_code, b"Fail to open WMI Script Server [Err=2]" in log) == (1, True)
