#!/usr/bin/env python3
"""Replays the mutant sample of tests/mutation/mutants.txt against a source tree.

For each mutant: put the replacement into the file, build the targets it
names, run the tests it names (stopping at the first failure), record
"killed" (a test failed or the build broke), "survived" or "invalid" (the
original text is not found exactly once, or none of its tests exists), and
put the file back as it was. Targets and test programs that the build tree
no longer has are passed over.

  tests/mutation/mutate.py [--tree DIR] [--only ID,...] [--layer native|windows] OUT

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


def known_targets(tree, layer, cache={}):
    """The build targets that the layer's build tree has; a test program the
    sample names may since have gone, and is then passed over."""
    if layer not in cache:
        listing = subprocess.run(["cmake", "--build", f"build/{layer}", "--target", "help"], cwd=tree,
                                 capture_output=True, text=True).stdout
        cache[layer] = {line.split()[1] for line in listing.splitlines() if line.startswith("... ")}
    return cache[layer]


def test_command(tree, mutant):
    windows = mutant["layer"] == "windows"
    build = os.path.join(tree, "build", mutant["layer"])
    steps = []
    for test in mutant["tests"]:
        if test.startswith("e2e."):
            steps.append(f"nice -n 10 ctest --test-dir {build} --output-on-failure -R '^{test}$'")
            continue
        program = find_program(build, test, windows) if test in known_targets(tree, mutant["layer"]) else None
        if program is None:
            continue
        runner = "wine " if windows else ""
        steps.append(f"(cd {program.parent} && nice -n 10 {runner}./{program.name} --gtest_brief=1)")
    if not steps:
        return None
    chain = " && ".join(steps)
    if windows:
        return (f"source scripts/wine-session.sh && orvex_wine_start && ( {chain} ); status=$?; "
                f"orvex_wine_stop; exit $status")
    return chain


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", default=str(pathlib.Path(__file__).resolve().parents[2]))
    parser.add_argument("--only", default="")
    parser.add_argument("--layer", default="")
    parser.add_argument("out")
    args = parser.parse_args()
    tree = os.path.abspath(args.tree)
    mutants = load(os.path.join(tree, "tests", "mutation", "mutants.txt"))
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
                targets = " ".join(t for t in mutant["targets"] if t in known_targets(tree, mutant["layer"]))
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
    # Build the restored sources again, so that the tree is left as it was.
    for layer in sorted({m["layer"] for m in mutants}):
        targets = sorted({t for m in mutants if m["layer"] == layer for t in m["targets"]} & known_targets(tree, layer))
        run(f"nice -n 10 cmake --build build/{layer} -j2 --target {' '.join(targets)}", tree, log)
    killed = sum(1 for _, verdict, _ in results if verdict.startswith("killed"))
    survived = sum(1 for _, verdict, _ in results if verdict == "survived")
    with open(args.out, "w") as out:
        for _, _, line in results:
            out.write(line + "\n")
        out.write(f"# {killed} killed, {survived} survived, {len(results) - killed - survived} invalid\n")
    print(f"{killed} killed, {survived} survived", flush=True)


if __name__ == "__main__":
    main()
