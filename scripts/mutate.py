#!/usr/bin/env python3
"""Replays the mutant sample of scripts/mutants.txt against a source tree:

  scripts/mutate.py [--tree DIR] [--only ID,...] [--layer native|windows] OUT

For each mutant it puts the replacement into the file, builds the targets and
runs the tests it names (stopping at the first failure), writes down
"killed" (a test failed or the build broke), "survived" or "invalid" (the
original text is not there exactly once, or none of its tests exists) and
puts the file back. Targets and test programs the build tree no longer has
are passed over. Build both presets first; Windows mutants run under the
tree's own Wine session (scripts/wine-session.sh).
"""
import argparse
import functools
import pathlib
import subprocess
import sys
import time


def load(path):
    mutants = []
    for line in pathlib.Path(path).read_text().splitlines():
        if line.strip() and not line.startswith("#"):
            fields = [field.replace("<NL>", "\n") for field in line.split("\t")]
            if len(fields) != 7:
                sys.exit(f"bad line: {line!r}")
            mutants.append(dict(zip(("id", "layer", "file", "original", "replacement"), fields),
                                targets=fields[5].split(","), tests=fields[6].split(",")))
    return mutants


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
def known_targets(tree, layer):
    """The targets of the layer's build tree: a test program the sample names may since have gone."""
    listing = subprocess.run(["cmake", "--build", f"build/{layer}", "--target", "help"], cwd=tree,
                             capture_output=True, text=True).stdout
    return frozenset(line.split()[1] for line in listing.splitlines() if line.startswith("... "))


def test_command(tree, mutant):
    windows = mutant["layer"] == "windows"
    build = pathlib.Path(tree, "build", mutant["layer"])
    steps = []
    for test in mutant["tests"]:
        if test.startswith("e2e."):
            steps.append(f"nice -n 10 ctest --test-dir {build} --output-on-failure -R '^{test}$'")
        elif test in known_targets(tree, mutant["layer"]):
            program = next((p for p in build.rglob(test + (".exe" if windows else "")) if p.is_file()), None)
            if program is not None:
                steps.append(f"(cd {program.parent} && nice -n 10 {'wine ' * windows}./{program.name} --gtest_brief=1)")
    chain = " && ".join(steps)
    if windows and chain:
        return f"source scripts/wine-session.sh && orvex_wine_start && ( {chain} ); status=$?; orvex_wine_stop; exit $status"
    return chain or None


def build(tree, layer, targets, log):
    targets = " ".join(t for t in targets if t in known_targets(tree, layer))
    return run(f"nice -n 10 cmake --build build/{layer} -j2 --target {targets}", tree, log)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", default=str(pathlib.Path(__file__).resolve().parent.parent))
    parser.add_argument("--only", default="")
    parser.add_argument("--layer", default="")
    parser.add_argument("out")
    args = parser.parse_args()
    tree = str(pathlib.Path(args.tree).resolve())
    only = set(filter(None, args.only.split(",")))
    mutants = [m for m in load(pathlib.Path(tree, "scripts", "mutants.txt"))
               if (not only or m["id"] in only) and args.layer in ("", m["layer"])]
    log = open(args.out + ".log", "w")
    lines, verdicts = [], []
    for mutant in mutants:
        path = pathlib.Path(tree, mutant["file"])
        original_text = path.read_text()
        started = time.time()
        verdict = "invalid"
        if original_text.count(mutant["original"]) == 1:
            try:
                path.write_text(original_text.replace(mutant["original"], mutant["replacement"]))
                log.write(f"== {mutant['id']} {mutant['file']}\n")
                if build(tree, mutant["layer"], mutant["targets"], log) != 0:
                    verdict = "killed (build)"
                elif (command := test_command(tree, mutant)) is None:
                    verdict = "invalid (no test program)"
                else:
                    verdict = "survived" if run(command, tree, log) == 0 else "killed"
            finally:
                path.write_text(original_text)
        lines.append(f"{mutant['id']}\t{verdict}\t{time.time() - started:.0f}s\t{mutant['file']}")
        verdicts.append(verdict)
        print(lines[-1], flush=True)
    # Build the restored sources again, so that the tree is left as it was.
    for layer in sorted({m["layer"] for m in mutants}):
        build(tree, layer, sorted({t for m in mutants if m["layer"] == layer for t in m["targets"]}), log)
    killed = sum(v.startswith("killed") for v in verdicts)
    survived = verdicts.count("survived")
    pathlib.Path(args.out).write_text("".join(line + "\n" for line in lines) +
                                      f"# {killed} killed, {survived} survived, {len(lines) - killed - survived} invalid\n")
    print(f"{killed} killed, {survived} survived", flush=True)


if __name__ == "__main__":
    main()
