#!/usr/bin/env bash
# Benchmarks of the release programs under Wine with a persistent wineserver.
# Each figure is a ratio against a program of bench/ measured in the same
# run, from the medians of repeated runs that alternate program and
# baseline. A baseline does exactly what the measured path must do and
# nothing more; the platform's own MessageBoxW is the reference for the
# whole path to a box on the screen.
#   bench/run.sh [RUNS]        (default 21 runs of each)
#
# No baseline does work that its path does without, so a ratio below 0.95
# is noise: start-up and the firmware path differ from their baselines by
# 1 to 5 ms in 30 ms or so of Wine's process start, and under load a run of
# 21 has given start-up 0.89 (at no load, 31 pairs gave 1.03, and the
# baseline against itself 1.00). Repeat such a run at a quiet moment. The
# README's "Performance" says which targets are missed and why.
set -euo pipefail
source "$(dirname -- "$0")/../scripts/lib.sh"
cd "$ORVEX_REPO"
runs=${1:-21}

orvex_build windows-release
release=$ORVEX_REPO/build/windows-release
orvex_wine_start 1024x768
orvex_tempdir work bench

# The programs stripped, as the package ships them: Wine maps the debug
# sections of the static runtime too, which would count in peak memory.
x86_64-w64-mingw32-strip -o "$work/OrvexSwitcher.exe" "$release/src/OrvexSwitcher.exe"
for program in bench_minimal_app bench_pipe_client bench_band_app bench_messagebox_app bench_probe; do
  x86_64-w64-mingw32-strip -o "$work/$program.exe" "$release/bench/$program.exe"
done
cp "$release/tools/script_server/OrvexScriptServer.exe" "$work/"
program=$(orvex_winpath "$work/OrvexSwitcher.exe")
bench() { orvex_winpath "$work/bench_$1.exe"; }
probe() { (cd "$work" && wine "$work/bench_probe.exe" "$@" | tr -d '\r') || true; }

# median FIELD < lines: the median of one field of the probe's lines.
median() {
  sed -n "s/.*$1=\([0-9.]*\).*/\1/p" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# alternate PROGRAM_ARGS... -- BASELINE_ARGS...: a warm-up of each, then
# $runs pairs of runs of the probe; its lines in program_lines and
# baseline_lines. A pause after each run lets Wine and the X server finish
# with the last program's windows, whose teardown would otherwise fall into
# the next run.
program_lines="" baseline_lines=""
settled_probe() { probe "$@"; sleep 0.2; }
alternate() {
  local measured=() baseline=()
  while [ "$1" != "--" ]; do measured+=("$1"); shift; done
  shift; baseline=("$@")
  program_lines="" baseline_lines=""
  settled_probe "${measured[@]}" >/dev/null; settled_probe "${baseline[@]}" >/dev/null
  local run
  for run in $(seq "$runs"); do
    # Which goes first changes with every pair, so that neither always
    # follows the other.
    if ((run % 2)); then
      program_lines+=$(settled_probe "${measured[@]}")$'\n'
      baseline_lines+=$(settled_probe "${baseline[@]}")$'\n'
    else
      baseline_lines+=$(settled_probe "${baseline[@]}")$'\n'
      program_lines+=$(settled_probe "${measured[@]}")$'\n'
    fi
  done
}

# report NAME UNIT PROGRAM BASELINE LOW HIGH: the ratio of two medians and
# whether it lies within [LOW, HIGH] (LOW 0: no lower bound).
results=()
report() {
  local name=$1 unit=$2 p=$3 b=$4 low=$5 high=$6 ratio verdict bounds line
  ratio=$(awk -v p="$p" -v b="$b" 'BEGIN { printf "%.3f", p / b }')
  verdict=$(awk -v r="$ratio" -v l="$low" -v h="$high" 'BEGIN { print (r >= l && r <= h) ? "met" : "MISSED" }')
  bounds=$(awk -v l="$low" -v h="$high" 'BEGIN { print (l > 0) ? l " to " h : "<= " h }')
  line=$(printf '%-34s %9.2f %s vs %9.2f %s  ratio %s (target %s: %s)' "$name" "$p" "$unit" "$b" "$unit" \
    "$ratio" "$bounds" "$verdict")
  echo "$line"; results+=("$line")
}
report_times() { report "$1" ms "$(median elapsed_ms <<<"$program_lines")" "$(median elapsed_ms <<<"$baseline_lines")" "$2" "$3"; }

echo "== $runs runs each, medians; load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# Start-up: an unknown option, against a program that starts the same way
# and returns.
alternate "$program" -foo -- "$(bench minimal_app)"
report_times "start-up (-foo)" 0.95 1.10

orvex_server_start "$work/OrvexScriptServer.exe" "$work/server.out" --profile ready --time-limit 3600

# The firmware path: the switch without a box, against the same five pipe
# exchanges.
alternate "$program" -nomsg -- "$(bench pipe_client)"
report_times "firmware path (-nomsg)" 0.95 1.10

# The confirmation: the band spans the screen's width across its middle.
# First paint against a program doing what the switch must do before it
# (start-up, the four exchanges, the box's window classes, one paint); then
# the whole path and the memory with the box up, against the MessageBoxW
# program, whose box is painted once its client area shows the dialog face.
orvex_show_msg 2
alternate --band 2 384 "$program" -- --band 2 384 "$(bench band_app)"
report_times "first paint of the band" 0 1.10
alternate --band 2 384 "$program" -- --dialog 4 4 "$(bench messagebox_app)"
report_times "start to box painted" 0 1.00
report "peak memory, box up" KiB "$(median peak_kb <<<"$program_lines")" "$(median peak_kb <<<"$baseline_lines")" 0 1.05
orvex_show_msg_delete

# Peak memory of runs that end by themselves: the largest resident set of
# the Wine process in KiB (time(1)), the median of alternating runs.
peak() { { (cd "$work" && /usr/bin/time -f '%M' wine "$@" 2>&1 >/dev/null) || true; } | tail -n 1; }
peak_runs=$(( (runs + 3) / 4 ))
peak_compare() {
  local name=$1 target=$2 baseline=$3; shift 3
  local program_peaks="" baseline_peaks=""
  for _ in $(seq "$peak_runs"); do
    program_peaks+="peak=$(peak "$work/OrvexSwitcher.exe" "$@")"$'\n'
    baseline_peaks+="peak=$(peak "$work/bench_$baseline.exe")"$'\n'
  done
  report "$name" KiB "$(median peak <<<"$program_peaks")" "$(median peak <<<"$baseline_peaks")" 0 "$target"
}
peak_compare "peak memory (-foo)" 1.05 minimal_app -foo
peak_compare "peak memory (-nomsg switch)" 1.05 pipe_client -nomsg
orvex_server_stop

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
line=$(printf '%-34s %9s of 50 records kept, %s ms (50 baselines: %s ms)' "50 runs of -s3 at once" "$kept" \
  "$burst_ms" "$baseline_ms")
echo "$line"; results+=("$line")

imports=$(x86_64-w64-mingw32-objdump -p "$work/OrvexSwitcher.exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')
line=$(printf '%-34s %s' "imports of OrvexSwitcher.exe" "$imports")
echo "$line"; results+=("$line")

size=$(stat -c %s "$release/src/OrvexSwitcher.exe")
stripped=$(stat -c %s "$work/OrvexSwitcher.exe")
line=$(printf '%-34s %9d bytes, stripped %d bytes (aim: under 1048576)' "size of OrvexSwitcher.exe" "$size" "$stripped")
echo "$line"; results+=("$line")

echo "== Summary (load average at the end: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%s\n' "${results[@]}"
