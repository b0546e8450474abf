"""Folders that a Wine program cannot change. As root, chmod stops nothing;
the attributes of chattr do: "i" (nothing changes) and "a" (files can be
made but not removed)."""
import subprocess
from contextlib import contextmanager


@contextmanager
def attribute(folder, flag):
    subprocess.run(["chattr", "+" + flag, str(folder)], check=True, timeout=30)
    try:
        yield
    finally:
        subprocess.run(["chattr", "-" + flag, str(folder)], check=True, timeout=30)
