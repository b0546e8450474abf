"""Folders that a Wine program cannot change. As root, chmod stops nothing;
the file attributes of chattr do."""
import shutil
import subprocess
from contextlib import contextmanager

import pytest


@contextmanager
def _attribute(folder, flag):
    if shutil.which("chattr") is None:
        pytest.skip("chattr is not available")
    subprocess.run(["chattr", "+" + flag, str(folder)], check=True, timeout=30)
    try:
        yield
    finally:
        subprocess.run(["chattr", "-" + flag, str(folder)], check=True, timeout=30)


def read_only(folder):
    """Nothing can be made, changed or removed in the folder."""
    return _attribute(folder, "i")


def append_only(folder):
    """Files can be made in the folder but not removed: what a program
    writes there stays to be looked at."""
    return _attribute(folder, "a")
