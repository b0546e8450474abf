#!/bin/sh
# A short run of one fuzz target for ctest: smoke.sh SECONDS PROGRAM WORKDIR [SEED_DIR...]
# Seed folders that do not exist are passed over; what the run finds goes
# into WORKDIR, never into the sources.
seconds=$1 program=$2 work=$3
shift 3
mkdir -p "$work/corpus"
for dir in "$@"; do
  [ -d "$dir" ] && set -- "$@" "$dir"
  shift
done
exec "$program" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "$@"
