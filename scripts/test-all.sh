#!/usr/bin/env bash
# Builds everything and runs every test: the portable code natively under
# AddressSanitizer and UBSan (with a short smoke of every fuzz target), the
# tests labelled valgrind under memcheck in a build without sanitizers, then
# the Windows programs' unit and end-to-end tests under Wine and Xvfb, and
# last the release packages of the current commit, built twice and compared.
set -euo pipefail
source "$(dirname -- "$0")/lib.sh"
cd "$ORVEX_REPO"

summary=()
run_suite() {
  local name=$1; shift
  local log="build/$name-tests.log"
  local status=0
  "$@" 2>&1 | tee "$log" || status=$?
  summary+=("$name: $(grep -E 'tests passed, [0-9]+ tests failed out of' "$log" | tail -n 1)")
  return $status
}

echo "== Native build (ASan, UBSan, libFuzzer)"
orvex_build native
native_status=0
run_suite native ctest --preset native -j "$ORVEX_JOBS" || native_status=$?

echo "== Valgrind memcheck (native build without sanitizers, tests labelled valgrind)"
orvex_build valgrind baselib_tests
valgrind_status=0
run_suite valgrind ctest --preset valgrind -L valgrind || valgrind_status=$?

echo "== Windows build (MinGW-w64), tests under Wine"
orvex_build windows
orvex_wine_start
windows_status=0
# Two at a time whatever the machine: every Windows test runs in this one Wine session.
run_suite windows ctest --preset windows -j 2 || windows_status=$?
orvex_wine_stop

echo "== Reproducible packages: the commit built twice in fresh clones"
reproducible_status=0
scripts/check-reproducible.sh || reproducible_status=$?
summary+=("reproducible packages: $([ "$reproducible_status" -eq 0 ] && echo same bytes || echo DIFFERENT)")

echo "== Summary"
printf '%s\n' "${summary[@]}"
passed=0; failed=0
for line in "${summary[@]}"; do
  if [[ $line =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1]))
    passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
done
echo "$passed passed, $failed failed"
[ "$native_status" -eq 0 ] && [ "$valgrind_status" -eq 0 ] && [ "$windows_status" -eq 0 ] && [ "$failed" -eq 0 ] &&
  [ "$reproducible_status" -eq 0 ]
