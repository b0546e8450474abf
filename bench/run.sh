#!/usr/bin/env bash
# Benchmarks of the release programs under Wine with a persistent wineserver.
# Each figure is a ratio against a baseline measured in the same run, from
# the medians of repeated runs that alternate program and baseline.
#   bench/run.sh [RUNS]        (default 21 runs of each)
set -euo pipefail
ORVEX_REPO=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$ORVEX_REPO"
runs=${1:-21}

scripts/install-deps.sh
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release -j "$(nproc)"
release=$ORVEX_REPO/build/windows-release

source scripts/wine-session.sh
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
  wine reg delete 'HKLM\SOFTWARE\Norlak\NorlakPivra' /v ShowMsg /f >/dev/null 2>&1 || true
  orvex_wine_stop
}
trap cleanup EXIT
orvex_wine_start 1024x768

# The programs stripped, as the package ships them: Wine maps the debug
# sections of the static runtime too, which would count in peak memory.
work=$(mktemp -d)
x86_64-w64-mingw32-strip -o "$work/OrvexSwitcher.exe" "$release/src/OrvexSwitcher.exe"
for program in bench_minimal_app bench_pipe_client bench_band_app bench_probe; do
  x86_64-w64-mingw32-strip -o "$work/$program.exe" "$release/bench/$program.exe"
done
winpath() { echo "Z:${1//\//\\}"; }
probe() { (cd "$work" && wine "$work/bench_probe.exe" "$@" | tr -d '\r') || true; }

# median FIELD < lines: the median of one field of the probe's lines.
median() {
  sed -n "s/.*$1=\([0-9.]*\).*/\1/p" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# compare NAME TARGET PROGRAM_ARGS... -- BASELINE_ARGS...: alternating runs.
results=()
compare() {
  local name=$1 target=$2; shift 2
  local program=() baseline=()
  while [ "$1" != "--" ]; do program+=("$1"); shift; done
  shift; baseline=("$@")
  local program_lines="" baseline_lines=""
  probe "${program[@]}" >/dev/null; probe "${baseline[@]}" >/dev/null   # warm-up
  for _ in $(seq "$runs"); do
    program_lines+=$(probe "${program[@]}")$'\n'
    baseline_lines+=$(probe "${baseline[@]}")$'\n'
  done
  local p b
  p=$(median elapsed_ms <<<"$program_lines")
  b=$(median elapsed_ms <<<"$baseline_lines")
  local ratio verdict
  ratio=$(awk -v p="$p" -v b="$b" 'BEGIN { printf "%.3f", p / b }')
  verdict=$(awk -v r="$ratio" -v t="$target" 'BEGIN { print (r <= t) ? "met" : "MISSED" }')
  local line
  line=$(printf '%-28s %9.2f ms vs baseline %9.2f ms  ratio %s (target <= %s: %s)' "$name" "$p" "$b" "$ratio" "$target" "$verdict")
  echo "$line"
  results+=("$line")
}

echo "== $runs runs each, medians"
compare "start-up (-foo)" 1.10 \
  "$(winpath "$work/OrvexSwitcher.exe")" -foo -- "$(winpath "$work/bench_minimal_app.exe")"

server_exe=$(find "$release/tools" -name 'OrvexScriptServer.exe' | head -n 1)
if [ -n "$server_exe" ]; then
  cp "$server_exe" "$work/"
  (cd "$work" && exec wine "$work/OrvexScriptServer.exe" --profile ready >/dev/null 2>&1) &
  server_pid=$!
  sleep 2
  compare "firmware path (-nomsg)" 1.10 \
    "$(winpath "$work/OrvexSwitcher.exe")" -nomsg -- "$(winpath "$work/bench_pipe_client.exe")"

  # First paint of the confirmation band: the band spans the screen's width
  # across its middle.
  wine reg add 'HKLM\SOFTWARE\Norlak\NorlakPivra' /v ShowMsg /t REG_DWORD /d 2 /f >/dev/null 2>&1
  compare "first paint of the band" 1.25 \
    --band 2 384 "$(winpath "$work/OrvexSwitcher.exe")" -- --band 2 384 "$(winpath "$work/bench_band_app.exe")"
  wine reg delete 'HKLM\SOFTWARE\Norlak\NorlakPivra' /v ShowMsg /f >/dev/null 2>&1
else
  echo "firmware path and first paint: the script server is not built"
fi

# Peak memory: the largest resident set of the Wine process in KiB, the
# median of alternating runs, against the baseline that imports what a run
# without a box needs (the -nomsg switch needs the script server).
peak() { { /usr/bin/time -f '%M' wine "$@" 2>&1 >/dev/null || true; } | tail -n 1; }
peak_runs=$(( (runs + 3) / 4 ))
peak_compare() {
  local name=$1 target=$2; shift 2
  local program_peaks="" baseline_peaks=""
  for _ in $(seq "$peak_runs"); do
    program_peaks+="peak=$(cd "$work" && peak "$work/OrvexSwitcher.exe" "$@")"$'\n'
    baseline_peaks+="peak=$(cd "$work" && peak "$work/bench_minimal_app.exe")"$'\n'
  done
  local p b ratio line
  p=$(median peak <<<"$program_peaks")
  b=$(median peak <<<"$baseline_peaks")
  ratio=$(awk -v p="$p" -v b="$b" 'BEGIN { printf "%.3f", p / b }')
  line=$(printf '%-28s %9s KiB vs baseline %9s KiB  ratio %s' "$name" "$p" "$b" "$ratio")
  [ -n "$target" ] && line+=$(awk -v r="$ratio" -v t="$target" \
    'BEGIN { printf " (target <= %s: %s)", t, (r <= t) ? "met" : "MISSED" }')
  echo "$line"; results+=("$line")
}
peak_compare "peak memory (-foo)" 1.05 -foo
if [ -n "$server_pid" ]; then
  peak_compare "peak memory (-nomsg switch)" "" -nomsg
fi

# Runs started together: 50 instances of -s3 at once from one folder, each
# writing one ERROR record (this Wine has no S3); the records kept whole in
# the log and the wall time, beside 50 baselines started the same way.
burst() {
  local folder=$1; shift
  local pids=() start end
  start=$(date +%s%N)
  for _ in $(seq 50); do
    (cd "$folder" && exec timeout 120 wine "$@" >/dev/null 2>&1) &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || true; done
  end=$(date +%s%N)
  echo $(( (end - start) / 1000000 ))
}
mkdir "$work/burst"
cp "$work/OrvexSwitcher.exe" "$work/burst/"
burst_ms=$(burst "$work/burst" "$work/burst/OrvexSwitcher.exe" -s3)
baseline_ms=$(burst "$work" "$work/bench_minimal_app.exe")
kept=$(grep -caE $'^\\[[A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4} [0-9:]{8}\\] \\[ERROR\\]\\[DoS3\\(\\):[0-9]+\\] .*\r$' \
  "$work/burst/ORVEXLOG.log" || true)
line=$(printf '%-28s %9s of 50 records kept, %s ms (50 baselines: %s ms)' "50 runs of -s3 at once" "$kept" \
  "$burst_ms" "$baseline_ms")
echo "$line"; results+=("$line")

imports=$(x86_64-w64-mingw32-objdump -p "$work/OrvexSwitcher.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
line=$(printf '%-28s %s' "imports of OrvexSwitcher.exe" "$imports")
echo "$line"; results+=("$line")

size=$(stat -c %s "$release/src/OrvexSwitcher.exe")
stripped=$(stat -c %s "$work/OrvexSwitcher.exe")
line=$(printf '%-28s %9d bytes, stripped %d bytes (aim: under 1048576)' "size of OrvexSwitcher.exe" "$size" "$stripped")
echo "$line"; results+=("$line")

echo "== Summary"
printf '%s\n' "${results[@]}"
rm -rf "$work"
