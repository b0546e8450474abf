#!/usr/bin/env bash
# The main job: builds the Windows programs and runs OrvexSwitcher.exe's
# default action (the OS switch) under Wine, then prints its exit code and
# its trace log.
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ORVEX_REPO"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target OrvexSwitcher

source scripts/wine-session.sh
trap orvex_wine_stop EXIT
orvex_wine_start

run_dir=$(mktemp -d)
cp build/windows/src/OrvexSwitcher.exe "$run_dir/"
status=0
(cd /tmp && wine "$run_dir/OrvexSwitcher.exe" "$@") || status=$?
echo "OrvexSwitcher.exe exit code: $status"
echo "Trace log ($run_dir/ORVEXLOG.log):"
cat "$run_dir/ORVEXLOG.log" 2>/dev/null || echo "(no records)"
