"""The contract check: what Windows requires of the program's calls, held
against Wine's relay trace of real runs (see relay_trace.py). Wine accepts much
that Windows refuses or treats otherwise, so a rule names what Windows
documents, or what Wine's own conformance tests (which run on Windows)
show, not what Wine does.

Each rule is a function of one run's calls, made by the program itself and
in their order, and of the program's imports; it gives what it found wrong,
empty when the run keeps to it."""
from dataclasses import dataclass
from typing import Callable

# Exports that Windows forwards into a library that is no known DLL: the
# loader resolves the forwarder when it loads the program, through the
# default search order, which looks in the program's folder first, before
# the program can call SetDefaultDllDirectories. (Wine implements them in
# the exporting library, so only this table knows.)
FORWARDED_TO_UNKNOWN = {
    ("advapi32.dll", "systemfunction036"): "cryptbase.dll",   # RtlGenRandom
    ("advapi32.dll", "systemfunction040"): "cryptbase.dll",   # RtlEncryptMemory
    ("advapi32.dll", "systemfunction041"): "cryptbase.dll",   # RtlDecryptMemory
}

# The known DLLs of 64-bit Windows 10 and 11 that a program may import:
# HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs, with the
# libraries they import (kernelbase, ntdll, win32u), always taken from the
# system folder.
KNOWN_DLLS = {"advapi32", "clbcatq", "combase", "comdlg32", "coml2", "difxapi", "gdi32", "gdiplus", "imagehlp",
              "imm32", "kernel32", "kernelbase", "msctf", "msvcrt", "normaliz", "nsi", "ntdll", "ole32", "oleaut32",
              "psapi", "rpcrt4", "sechost", "setupapi", "shcore", "shell32", "shlwapi", "user32", "win32u",
              "wldap32", "wow64", "ws2_32"}

LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
LR_SHARED, LR_LOADFROMFILE = 0x8000, 0x10
IMAGE_ICON, IMAGE_CURSOR = 1, 2
SW_HIDE, SWP_HIDEWINDOW, HWND_TOPMOST = 0, 0x80, 2**64 - 1
VK_LBUTTON, VK_RBUTTON = 1, 2
ERROR_NOT_ALL_ASSIGNED = 1300
SECURITY_SQOS_PRESENT, SECURITY_IDENTIFICATION, SECURITY_LEVEL_MASK = 0x100000, 0x10000, 0x30000
S_OK, S_FALSE = 0, 1
BOX_CLASSES = ("OrvexMsgBox_Class", "OrvexBkgnd_Class")


@dataclass(frozen=True)
class Rule:
    name: str
    functions: tuple      # what the relay trace must include for the rule
    requirement: str      # what Windows requires, and why
    source: str           # where it says so
    check: Callable       # (calls, imports) -> list of faults


def library_name(path):
    return path.replace("\\\\", "\\").rsplit("\\", 1)[-1].strip('"').lower()


def libraries_from_the_system_folder(calls, imports):
    faults = [f"imports {dll}!{name}, which Windows forwards to {target}"
              for (dll, name), target in FORWARDED_TO_UNKNOWN.items() if name in imports.get(dll, set())]
    faults += [f"imports {dll}, which is no known DLL" for dll in imports if dll.removesuffix(".dll") not in KNOWN_DLLS]
    restricted = False
    for call in calls:
        if call.name == "SetDefaultDllDirectories" and call.dword(0) & LOAD_LIBRARY_SEARCH_SYSTEM32:
            restricted = True
        elif call.name in ("LoadLibraryW", "LoadLibraryExW", "LoadLibraryA", "LoadLibraryExA"):
            path = call.text(0)
            flags = call.dword(2) if call.name.startswith("LoadLibraryEx") else 0
            by_system_path = "\\system32\\" in path.lower().replace("\\\\", "\\")
            if not (by_system_path or flags & LOAD_LIBRARY_SEARCH_SYSTEM32 or restricted
                    or library_name(path).removesuffix(".dll") in KNOWN_DLLS):
                faults.append(f"{call.name}({path}, flags {flags:#x}) before SetDefaultDllDirectories")
        elif (call.module + ".dll", call.name.lower()) in FORWARDED_TO_UNKNOWN and not restricted:
            faults.append(f"calls {call.module}.{call.name} before SetDefaultDllDirectories, forwarded by Windows "
                          "into a library it searches for")
    return faults


def system_icon_shared(calls, imports):
    return [f"LoadImageW(NULL, {call.arg(1)}, type {call.dword(2)}, flags {call.dword(5):#x}) without LR_SHARED"
            for call in calls if call.name == "LoadImageW" and call.arg(0) == 0 and call.arg(1) < 0x10000
            and call.dword(2) in (IMAGE_ICON, IMAGE_CURSOR) and not call.dword(5) & (LR_SHARED | LR_LOADFROMFILE)]


def box_never_hidden(calls, imports):
    windows = {call.retval for call in calls if call.name == "CreateWindowExW" and call.text(1) in BOX_CLASSES} - {0}
    faults = [f"{call.name}({call.arg(0):#x}, ...) hides a box window while it is up" for call in calls
              if call.args and call.arg(0) in windows and (
                  (call.name == "ShowWindow" and call.dword(1) == SW_HIDE)
                  or (call.name == "SetWindowPos" and call.dword(6) & SWP_HIDEWINDOW))]
    topmost = [call for call in calls if call.name == "SetWindowPos" and call.arg(1) == HWND_TOPMOST]
    if len(topmost) > len(windows):
        faults.append(f"HWND_TOPMOST asserted {len(topmost)} times for {len(windows)} windows")
    return faults


def logical_mouse_buttons(calls, imports):
    return [f"GetAsyncKeyState({call.dword(0)}) reads a physical mouse button" for call in calls
            if call.name == "GetAsyncKeyState" and call.dword(0) in (VK_LBUTTON, VK_RBUTTON)]


def privilege_checked(calls, imports):
    faults = []
    for i, call in enumerate(calls):
        if call.name != "AdjustTokenPrivileges" or call.retval & 0xFFFFFFFF == 0:
            continue
        following = calls[i + 1] if i + 1 < len(calls) else None
        if following is None or following.name != "GetLastError":
            faults.append("AdjustTokenPrivileges succeeded and its last error was not read next")
        elif following.retval & 0xFFFFFFFF == ERROR_NOT_ALL_ASSIGNED:
            faults += [f"{later.name} called although the privilege was not assigned" for later in calls[i + 2:]
                       if later.name in ("ExitWindowsEx", "SetSuspendState", "InitiateShutdownW")]
    return faults


def pipe_identification_only(calls, imports):
    return [f"CreateFileW({call.text(0)}, ..., flags {call.dword(5):#x}) lets the pipe's server impersonate the user"
            for call in calls if call.name == "CreateFileW" and call.text(0).lower().startswith("\\\\.\\pipe\\")
            and not (call.dword(5) & SECURITY_SQOS_PRESENT
                     and call.dword(5) & SECURITY_LEVEL_MASK == SECURITY_IDENTIFICATION)]


def shell_inside_an_apartment(calls, imports):
    entered, faults = {}, []   # per thread: successful entries less the leaves
    for call in calls:
        if call.name == "CoInitializeEx" and call.retval is not None and call.retval & 0xFFFFFFFF in (S_OK, S_FALSE):
            entered[call.thread] = entered.get(call.thread, 0) + 1
        elif call.name == "CoUninitialize":
            entered[call.thread] = entered.get(call.thread, 0) - 1
        elif call.name == "ShellExecuteExW" and entered.get(call.thread, 0) <= 0:
            faults.append("ShellExecuteExW called outside a COM apartment")
    return faults


def launched_tool_may_take_the_front(calls, imports):
    started = [i for i, call in enumerate(calls) if call.name == "ShellExecuteExW" and call.retval & 0xFFFFFFFF]
    return ["the process that ShellExecuteExW started is not allowed to take the foreground" for i in started
            if not any(later.name == "AllowSetForegroundWindow" and later.dword(0) != 0 for later in calls[i + 1:])]


def canary_from_the_system_generator(calls, imports):
    seeded = [i for i, call in enumerate(calls) if call.name == "SystemFunction036" and call.dword(1) == 8
              and call.retval & 0xFF != 0]
    if len(seeded) != 1:
        return [f"the canary was seeded {len(seeded)} times by the system's generator"]
    # Seeded before anything else runs: only the search's restriction and the generator's libraries (and
    # whether they loaded) come first.
    return [f"{call.name} ran before the canary was seeded" for call in calls[:seeded[0]]
            if not (call.name in ("SetDefaultDllDirectories", "GetLastError")
                    or call.name == "LoadLibraryExW" and call.text(0) in ("cryptbase.dll", "advapi32.dll"))]


RULES = (
    Rule("libraries come from the system folder",
         ("SetDefaultDllDirectories", "LoadLibraryW", "LoadLibraryExW", "LoadLibraryA", "LoadLibraryExA",
          "SystemFunction036"),
         "Until SetDefaultDllDirectories runs, a library that is no known DLL, and the target of a forwarded "
         "export, is looked for in the program's folder first: one planted there (Downloads) runs in the "
         "program. Imports and forwarders are resolved before the program's first instruction.",
         "Dynamic-Link Library Search Order; Dynamic-Link Library Security; LoadLibraryExW "
         "(LOAD_LIBRARY_SEARCH_SYSTEM32); Export forwarding (PE format)", libraries_from_the_system_folder),
    Rule("a system icon from a null module is shared", ("LoadImageW",),
         "A predefined image (OIC_*, IDI_*) is loaded from a null module only with LR_SHARED; without it "
         "Windows returns NULL and the box has no icon. LoadIconWithScaleDown gives other sizes.",
         "LoadImageW: hInst, LR_SHARED; Wine's dlls/user32/tests/cursoricon.c", system_icon_shared),
    Rule("the box keeps the keyboard", ("CreateWindowExW", "ShowWindow", "SetWindowPos"),
         "Hiding the active window hands activation to another program, which the foreground lock may keep: "
         "keys then go to a window the user cannot see. Topmost is a state, set once.",
         "ShowWindow (SW_HIDE); SetWindowPos (SWP_HIDEWINDOW, SWP_NOACTIVATE); SetForegroundWindow (remarks)",
         box_never_hidden),
    Rule("mouse buttons are the logical ones", ("GetAsyncKeyState",),
         "GetAsyncKeyState reports the physical buttons whatever SwapMouseButton says; the logical state is "
         "the message's MK_LBUTTON.", "GetAsyncKeyState (remarks); SwapMouseButton", logical_mouse_buttons),
    Rule("a privilege not assigned is not granted",
         ("AdjustTokenPrivileges", "GetLastError", "ExitWindowsEx", "SetSuspendState", "InitiateShutdownW"),
         "AdjustTokenPrivileges returns TRUE with ERROR_NOT_ALL_ASSIGNED when the token lacks the privilege; "
         "only the last error tells.", "AdjustTokenPrivileges (return value); Wine's dlls/advapi32/tests/security.c",
         privilege_checked),
    Rule("a pipe's server may identify the user, not impersonate", ("CreateFileW",),
         "Without SECURITY_SQOS_PRESENT the client grants SecurityImpersonation: whoever created the pipe "
         "first acts as the user.", "CreateFileW (dwFlagsAndAttributes, SECURITY_SQOS_PRESENT); "
         "Impersonation Levels", pipe_identification_only),
    Rule("the shell's execute runs in a COM apartment", ("CoInitializeEx", "CoUninitialize", "ShellExecuteExW"),
         "ShellExecuteEx may hand the operation to a shell extension that COM activates, some only in a "
         "single-threaded apartment; the caller's thread must have entered one.",
         "ShellExecuteExW (remarks)", shell_inside_an_apartment),
    Rule("a started tool may take the front", ("ShellExecuteExW", "AllowSetForegroundWindow"),
         "Only a process that may set the foreground window, or one it allows, may bring its window to the front; "
         "a program without a window of its own is not the foreground process, so what it starts is kept behind "
         "unless it passes its right on.", "SetForegroundWindow (remarks); AllowSetForegroundWindow",
         launched_tool_may_take_the_front),
    Rule("the stack canary comes from the system's generator",
         ("SystemFunction036", "SetDefaultDllDirectories", "LoadLibraryExW"),
         "A canary that falls back to a value made up in the program (an address, a time) can be guessed.",
         "RtlGenRandom (SystemFunction036, found with GetProcAddress)", canary_from_the_system_generator),
)
