#!/usr/bin/env python3
"""Replays the mutant sample of scripts/mutants.txt against a source tree.

For each mutant: put the replacement into the file, build the targets it
names, run the tests it names (stopping at the first failure), record
"killed" (a test failed or the build broke), "survived" or "invalid" (the
original text is not found exactly once), and put the file back as it was.

  scripts/mutate.py [--tree DIR] [--only ID,...] [--layer native|windows] OUT

The tree must have been configured and built with the native and windows
presets beforehand. Windows mutants run under a Wine session of the tree's
own (scripts/wine-session.sh).
"""
import argparse
import os
import pathlib
import subprocess
import sys
import time


def load(path):
    mutants = []
    for line in pathlib.Path(path).read_text().splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 7:
            sys.exit(f"bad line: {line!r}")
        ident, layer, file, original, replacement, targets, tests = fields
        unescape = lambda text: text.replace("<NL>", "\n")
        mutants.append(dict(id=ident, layer=layer, file=file, original=unescape(original),
                            replacement=unescape(replacement), targets=targets.split(","),
                            tests=tests.split(",")))
    return mutants


def run(command, cwd, log, timeout=1800):
    log.write(f"$ {command}\n")
    log.flush()
    try:
        return subprocess.run(["bash", "-c", command], cwd=cwd, stdout=log, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        log.write("timed out\n")
        return 124


def find_program(build, name, windows):
    wanted = name + (".exe" if windows else "")
    for path in pathlib.Path(build).rglob(wanted):
        if path.is_file():
            return path
    return None


def test_command(tree, mutant):
    windows = mutant["layer"] == "windows"
    build = os.path.join(tree, "build", mutant["layer"])
    steps = []
    for test in mutant["tests"]:
        if test.startswith("e2e."):
            steps.append(f"nice -n 10 ctest --test-dir {build} --output-on-failure -R '^{test}$'")
            continue
        program = find_program(build, test, windows)
        if program is None:
            return None
        runner = "wine " if windows else ""
        steps.append(f"(cd {program.parent} && nice -n 10 {runner}./{program.name} --gtest_brief=1)")
    chain = " && ".join(steps)
    if windows:
        return (f"source scripts/wine-session.sh && orvex_wine_start && ( {chain} ); status=$?; "
                f"orvex_wine_stop; exit $status")
    return chain


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", default=str(pathlib.Path(__file__).resolve().parent.parent))
    parser.add_argument("--only", default="")
    parser.add_argument("--layer", default="")
    parser.add_argument("out")
    args = parser.parse_args()
    tree = os.path.abspath(args.tree)
    mutants = load(os.path.join(tree, "scripts", "mutants.txt"))
    if args.only:
        keep = set(args.only.split(","))
        mutants = [m for m in mutants if m["id"] in keep]
    if args.layer:
        mutants = [m for m in mutants if m["layer"] == args.layer]

    log = open(args.out + ".log", "w")
    results = []
    for mutant in mutants:
        path = pathlib.Path(tree, mutant["file"])
        original_text = path.read_text()
        started = time.time()
        if original_text.count(mutant["original"]) != 1:
            verdict = "invalid"
        else:
            try:
                path.write_text(original_text.replace(mutant["original"], mutant["replacement"]))
                log.write(f"== {mutant['id']} {mutant['file']}\n")
                targets = " ".join(mutant["targets"])
                if run(f"nice -n 10 cmake --build build/{mutant['layer']} -j2 --target {targets}", tree, log) != 0:
                    verdict = "killed (build)"
                else:
                    command = test_command(tree, mutant)
                    if command is None:
                        verdict = "invalid (no test program)"
                    else:
                        verdict = "survived" if run(command, tree, log) == 0 else "killed"
            finally:
                path.write_text(original_text)
        line = f"{mutant['id']}\t{verdict}\t{time.time() - started:.0f}s\t{mutant['file']}"
        print(line, flush=True)
        results.append((mutant["id"], verdict, line))
    # Rebuild what the last mutant touched, so the tree is left as built.
    killed = sum(1 for _, verdict, _ in results if verdict.startswith("killed"))
    survived = sum(1 for _, verdict, _ in results if verdict == "survived")
    with open(args.out, "w") as out:
        for _, _, line in results:
            out.write(line + "\n")
        out.write(f"# {killed} killed, {survived} survived, {len(results) - killed - survived} invalid\n")
    print(f"{killed} killed, {survived} survived", flush=True)


if __name__ == "__main__":
    main()
