#!/usr/bin/env python3
"""scripts/mutate.py [--tree DIR] [--only ID,...] [--layer native|windows] OUT

Replays tests/mutation/mutants.txt against a tree built with both presets, one
mutant at a time, and puts each file back. A mutant whose build breaks counts
as killed; one whose text is not there exactly once, or that has no test
program, as invalid. OUT gets a line per mutant, OUT.log the output."""
import argparse
import functools
import pathlib
import subprocess
import sys
import time


def run(command, cwd, log):
    log.write(f"$ {command}\n")
    log.flush()
    try:
        return subprocess.run(["bash", "-c", command], cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                              timeout=1800).returncode
    except subprocess.TimeoutExpired:
        log.write("timed out\n")
        return 124


@functools.cache
def known(tree, layer):
    listing = subprocess.run(["cmake", "--build", f"build/{layer}", "--target", "help"], cwd=tree,
                             capture_output=True, text=True).stdout
    return frozenset(line.split()[1] for line in listing.splitlines() if line.startswith("... "))


def build(tree, layer, targets, log):
    targets = " ".join(t for t in targets if t in known(tree, layer))
    return run(f"nice -n 10 cmake --build build/{layer} -j2 --target {targets}", tree, log)


def test_command(tree, layer, tests):
    """e2e.<file> runs through ctest, a unit program whole."""
    windows, folder, steps = layer == "windows", pathlib.Path(tree, "build", layer), []
    for test in tests:
        if test.startswith("e2e."):
            steps.append(f"nice -n 10 ctest --test-dir {folder} --output-on-failure -R '^{test}$'")
        elif test in known(tree, layer):
            for program in (p for p in folder.rglob(test + ".exe" * windows) if p.is_file()):
                steps.append(f"(cd {program.parent} && nice -n 10 {'wine ' * windows}./{program.name} --gtest_brief=1)")
                break
    chain = " && ".join(steps)
    if windows and chain:
        return f"source scripts/lib.sh && orvex_wine_start && ( {chain} ); s=$?; orvex_wine_stop; exit $s"
    return chain


def judge(tree, ident, layer, file, original, replacement, targets, tests, log):
    path = pathlib.Path(tree, file)
    text = path.read_text()
    if text.count(original) != 1:
        return "invalid"
    try:
        path.write_text(text.replace(original, replacement))
        log.write(f"== {ident} {file}\n")
        if build(tree, layer, targets, log) != 0:
            return "killed (build)"
        command = test_command(tree, layer, tests)
        return "invalid (no test program)" if not command else "survived" if run(command, tree, log) == 0 else "killed"
    finally:
        path.write_text(text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", default=str(pathlib.Path(__file__).resolve().parents[1]))
    parser.add_argument("--only", default="")
    parser.add_argument("--layer", default="")
    parser.add_argument("out")
    args = parser.parse_args()
    tree = str(pathlib.Path(args.tree).resolve())
    only = set(filter(None, args.only.split(",")))
    mutants = []
    for line in pathlib.Path(tree, "tests", "mutation", "mutants.txt").read_text().splitlines():
        if line.strip() and not line.startswith("#"):
            fields = line.replace("<NL>", "\n").split("\t")
            if len(fields) != 7:
                sys.exit(f"bad line: {line!r}")
            if (not only or fields[0] in only) and args.layer in ("", fields[1]):
                mutants.append(fields[:5] + [fields[5].split(","), fields[6].split(",")])
    lines, verdicts = [], []
    with open(args.out + ".log", "w") as log:
        for mutant in mutants:
            started = time.time()
            verdicts.append(judge(tree, *mutant, log))
            lines.append(f"{mutant[0]}\t{verdicts[-1]}\t{time.time() - started:.0f}s\t{mutant[2]}")
            print(lines[-1], flush=True)
        # Build the restored sources again, so that the tree is left as it was.
        for layer in sorted({m[1] for m in mutants}):
            build(tree, layer, sorted({t for m in mutants if m[1] == layer for t in m[5]}), log)
    killed, survived = sum(v.startswith("killed") for v in verdicts), verdicts.count("survived")
    lines.append(f"# {killed} killed, {survived} survived, {len(verdicts) - killed - survived} invalid")
    pathlib.Path(args.out).write_text("\n".join(lines) + "\n")
    print(f"{killed} killed, {survived} survived", flush=True)


if __name__ == "__main__":
    main()
