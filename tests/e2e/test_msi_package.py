"""The Windows release: the package command's MSI installed, upgraded, refused
as a downgrade and removed by msiexec in a Wine prefix of the test's own, and
the signatures and checksums of what the command wrote.

The command packs the test build's programs twice: at the project's version,
signed with a certificate made here, and at a later version, unsigned.
"""
import hashlib
import os
import re
import subprocess
from pathlib import Path
from types import SimpleNamespace

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
                           exe=folder / msi.stem / "OrvexSwitcher.exe", output=done.stdout)


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
    assert older.version == ".".join(project.groups())
    return {"older": older, "newer": newer, "cert": cert}


def verifies(path, cert):
    return subprocess.run(["osslsigncode", "verify", "-CAfile", cert, "-in", path], stdin=subprocess.DEVNULL,
                          capture_output=True, timeout=TIMEOUT).returncode == 0


def with_one_byte_changed(path, offset, folder):
    data = bytearray(path.read_bytes())
    data[offset] ^= 0xFF
    (copy := folder / f"changed-{path.name}").write_bytes(data)
    return copy


def test_signatures_and_checksums(packages, tmp_path):
    older, newer, cert = packages["older"], packages["newer"], packages["cert"]
    cases = [
        (older.exe, True), (older.msi, True), (newer.exe, False), (newer.msi, False),
        (with_one_byte_changed(older.exe, older.exe.stat().st_size // 2, tmp_path), False),
        # A byte of the embedded cabinet: what lies between the streams is not signed.
        (with_one_byte_changed(older.msi, older.msi.read_bytes().index(b"MSCF") + 64, tmp_path), False),
    ]
    assert [(path.name, verifies(path, cert)) for path, _ in cases] == [(path.name, ok) for path, ok in cases]
    assert ("NOT signed" in older.output, "NOT signed" in newer.output) == (False, True)
    for built in (older, newer):
        sums = dict(reversed(line.split("  ")) for line in (built.folder / "SHA256SUMS").read_text().splitlines())
        names = [f"OrvexSwitcher-{built.version}.zip", built.msi.name]
        assert sums == {name: hashlib.sha256((built.folder / name).read_bytes()).hexdigest() for name in names}


def reg_tree(key, view, env):
    """{key: {value name: (type, data)}} under key in the 32- or 64-bit view;
    None without the key. wine reg ends its lines with CR LF."""
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
        "files": ["OrvexSwitcher", "OrvexSwitcher/OrvexSwitcher.exe", "OrvexSwitcher/README.md"] if version else None,
        "files 32-bit": False,
        "shortcut targets": [True] if version else [],
    }


# (msiexec action, package, properties, exit code, package installed after
#  it, ShowMsg after it, whether the installed program is run after it)
STEPS = [
    ("/i", "older", ["SHOWMSG=2"], 0, "older", 2, True),
    ("/i", "newer", [], 0, "newer", 2, False),                                 # an upgrade keeps the value
    ("/i", "older", ["SHOWMSG=1"], ERROR_INSTALL_FAILURE, "newer", 2, True),  # a downgrade is refused
    ("/x", "newer", [], 0, None, None, False),                                 # removal, with the program's log
    ("/i", "older", [], 0, "older", None, False),                              # a first install writes no value
    ("/i", "newer", ["SHOWMSG=0"], 0, "newer", 0, False),                      # a value given is written
    ("/x", "newer", [], 0, None, None, False),
]


def test_install_upgrade_downgrade_and_removal(packages, prefix, tmp_path):
    root, env = Path(prefix["WINEPREFIX"]), prefix
    installed = root / "drive_c" / "Program Files" / "Norlak" / "OrvexSwitcher"
    for step, (action, name, properties, code, package_after, show_msg, run) in enumerate(STEPS, 1):
        result = wine.run("msiexec", action, wine.windows_path(packages[name].msi), "/qn", *properties,
                          env=env, timeout=TIMEOUT, capture=False)
        # Wine's msiexec reaches the shell with its exit code cut to 8 bits.
        assert (step, result.exit_code & 0xFF) == (step, code & 0xFF)
        version = packages[package_after].version if package_after else None
        assert (step, observe(root, env)) == (step, expected(version, show_msg))
        if version:
            readme = (installed / "README.md").read_text("utf-8")
            assert (step, f"OrvexSwitcher-{version}.msi" in readme, "<version>" in readme) == (step, True, False)
            signed = verifies(installed / "OrvexSwitcher.exe", packages["cert"])
            assert (step, signed) == (step, package_after == "older")
        if run:
            # Without the script server the switch logs the failed open and
            # hands over to the companion tool, which is not there.
            ran = wine.run(INSTALL_FOLDER + r"\OrvexSwitcher.exe", "-nomsg", cwd=tmp_path, env=env, timeout=60)
            log = (installed / "ORVEXLOG.log").read_text("latin-1")
            assert (ran.exit_code, "Fail to open WMI Script Server [Err=2]" in log) == (1, True)
