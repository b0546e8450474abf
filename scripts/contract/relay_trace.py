"""Reading Wine's relay trace (WINEDEBUG=+pid,+loaddll,+relay, with the functions of the
rules in HKCU\\Software\\Wine\\Debug RelayInclude) and the program's
imports, and holding a run to the rules.

  python3 relay_trace.py PROGRAM.exe TRACE...   prints each rule's faults in each trace"""
import re
import struct
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from rules import RULES  # noqa: E402

# With +pid each line begins with the process's id, then the thread's.
CALL = re.compile(r"^([0-9a-f]{4}:[0-9a-f]{4}):Call ([\w.]+)\.(\w+)\((.*)\) ret=([0-9a-f]+)$")
RET = re.compile(r"^([0-9a-f]{4}:[0-9a-f]{4}):Ret  ([\w.]+)\.(\w+)\(\) retval=([0-9a-f]+) ret=([0-9a-f]+)$")
ARGUMENT = re.compile(r'([0-9a-f]+)(?: (L?"(?:[^"\\]|\\.)*"))?(?:,|$)')
LOADED = re.compile(r'^([0-9a-f]{4}):[0-9a-f]{4}:trace:loaddll:build_module Loaded L"(.*)" at ([0-9A-F]+)')


@dataclass
class Call:
    thread: str
    module: str
    name: str
    args: list        # (number, text or None)
    caller: int
    retval: int = None

    def arg(self, index):
        """The argument as a 64-bit value (handles, pointers)."""
        return self.args[index][0] if index < len(self.args) else 0

    def dword(self, index):
        """A 32-bit argument: the relay prints the whole register, whose upper half is left over."""
        return self.arg(index) & 0xFFFFFFFF

    def text(self, index):
        """The argument's text as the program passed it (Wine prints it escaped), "" if none."""
        text = self.args[index][1] if index < len(self.args) else None
        if not text:
            return ""
        return re.sub(r"\\(.)", r"\1", text[text.index('"') + 1:-1])


def image_size(program):
    data = Path(program).read_bytes()
    header = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, header + 24 + 56)[0]   # the optional header's SizeOfImage


def imports(program):
    """{library: {function}} of the program's import table, in lower case."""
    found, library = {}, None
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(program)], capture_output=True, text=True,
                          check=True, timeout=60).stdout
    for line in dump.splitlines():
        if m := re.match(r"\s*DLL Name: (\S+)", line):
            library = m.group(1).lower()
            found[library] = set()
        elif library and (m := re.match(r"\s+[0-9a-f]+\s+[0-9a-f]+\s+(\w+)$", line)):
            found[library].add(m.group(1).lower())
        elif not line.strip():
            library = None
    return found


def calls(trace, program):
    """The program's own calls in the trace, in order, with their results."""
    name = Path(program).name.lower()
    process, base = next(((m.group(1), int(m.group(3), 16)) for m in map(LOADED.match, trace.splitlines())
                          if m and m.group(2).lower().endswith(name)), (None, None))
    assert base is not None, f"the trace does not show {name} loaded (WINEDEBUG needs +pid,+loaddll)"
    end = base + image_size(program)
    found, open_calls = [], {}
    for line in trace.splitlines():
        if m := CALL.match(line):
            thread, module, function, arguments, caller = m.groups()
            call = Call(thread, module.lower(), function,
                        [(int(a, 16), t) for a, t in ARGUMENT.findall(arguments) if a], int(caller, 16))
            open_calls.setdefault(thread, []).append(call)
            if thread.startswith(process + ":") and base <= call.caller < end:
                found.append(call)
        elif (m := RET.match(line)) and open_calls.get(m.group(1)):
            open_calls[m.group(1)].pop().retval = int(m.group(4), 16)
    return found


def faults(trace, program):
    """{rule name: [fault]} of the rules that the run broke."""
    made, imported = calls(trace, program), imports(program)
    return {rule.name: found for rule in RULES if (found := rule.check(made, imported))}


def relay_include():
    return ";".join(sorted({function for rule in RULES for function in rule.functions}))


if __name__ == "__main__":
    for path in sys.argv[2:]:
        print(f"== {path}")
        for rule, found in faults(Path(path).read_text("utf-8", "replace"), sys.argv[1]).items():
            print(f"{rule}:\n  " + "\n  ".join(found))
