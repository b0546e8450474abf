#!/usr/bin/env python3
"""Checks the floors of src/: an include points down a floor or along it,
no two folders include each other, and no files of one folder include each
other in a loop. Prints what breaks the plan; exits 1 if anything does."""
import pathlib
import re
import sys

FLOORS = {
    "baselib": 0, "ground": 0,
    "firmware": 1, "ui": 1, "lang": 1,
    "app/actions": 2,
    "app/program": 3,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    """The floor's folder of a path below src/ (its win32/ part folded in)."""
    parts = [p for p in pathlib.PurePosixPath(path).parent.parts if p != "win32"]
    name = "/".join(parts)
    return name if name in FLOORS else None


def includes(src):
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp", ".rc"):
            continue
        here = file.relative_to(src).as_posix()
        for target in INCLUDE.findall(file.read_text(errors="replace")):
            resolved = (file.parent / target).resolve()
            there = (resolved.relative_to(src.resolve()).as_posix()
                     if resolved.is_file() and src.resolve() in resolved.parents
                     else target)
            if (src / there).is_file():
                yield here, there


def loops(edges):
    """Every loop of a graph given as {node: set(nodes)}, each once."""
    found, state = [], {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in sorted(edges.get(node, ())):
            if state.get(nxt) == "open":
                found.append(trail[trail.index(nxt):] + [nxt])
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in sorted(edges):
        if node not in state:
            visit(node, [node])
    return found


def main():
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    problems = []
    folders, files = {}, {}
    for here, there in includes(src):
        a, b = folder_of(here), folder_of(there)
        if a is None or b is None:
            problems.append(f"{here} -> {there}: a folder outside the floor plan")
            continue
        if a != b:
            folders.setdefault(a, set()).add(b)
            if FLOORS[b] > FLOORS[a]:
                problems.append(f"{here} -> {there}: up from floor {FLOORS[a]} to {FLOORS[b]}")
        else:
            files.setdefault(here, set()).add(there)
    for loop in loops(folders):
        problems.append("folders in a loop: " + " -> ".join(loop))
    for loop in loops(files):
        problems.append("files in a loop: " + " -> ".join(loop))
    for problem in problems:
        print(problem)
    print(f"floors: {len(problems)} problem(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
