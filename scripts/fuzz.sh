#!/usr/bin/env bash
# Runs every fuzz target (or those named) for SECONDS each, from the seeds
# kept in tests/fuzz/corpus and the inputs that once found a fault.
#   scripts/fuzz.sh SECONDS [TARGET...]
# New inputs collect in build/fuzz-corpus/<target>; crashes in
# build/fuzz-findings/<target>. Each run ends with libFuzzer's statistics.
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
cd "$ORVEX_REPO"
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift

orvex_build native

mapfile -t programs < <(find build/native/tests/fuzz -type f -name 'fuzz_*' -perm -u+x | sort)
for program in "${programs[@]}"; do
  name=${program##*/fuzz_}
  if (($# > 0)) && ! printf '%s\n' "$@" | grep -qx "$name"; then
    continue
  fi
  work=build/fuzz-corpus/$name
  findings=build/fuzz-findings/$name
  mkdir -p "$work" "$findings" "tests/fuzz/corpus/$name"
  echo "== $name for $seconds s"
  regressions=()
  [ -d "tests/fuzz/regressions/$name" ] && regressions=("tests/fuzz/regressions/$name")
  "$program" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" "tests/fuzz/corpus/$name" "${regressions[@]}" 2>&1 |
    grep -E '^(#[0-9]+.*DONE|stat::|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' || true
done
