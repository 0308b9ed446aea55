#!/usr/bin/env bash
# Runs every fuzz target of a sanitizer build for SECONDS each (default 60), from seeds made now.
#   scripts/fuzz.sh [SECONDS] [BUILD_DIR]
# The corpus each target grows is kept in BUILD_DIR/fuzz-corpus, so a long campaign goes on from
# where the last run stopped; inputs that fail are written to BUILD_DIR/fuzz-artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build="${2:-build-sanitize}"
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
QT_QPA_PLATFORM=offscreen "$build/fuzz/make_fuzz_seeds" "$seeds"
mkdir -p "$build/fuzz-artifacts"

# target, seed folder, largest input
targets=("fuzz_tree_file tree 25600" "fuzz_version15_file version15 13720" "fuzz_version10_file version10 4800"
         "fuzz_gedcom gedcom 65536" "fuzz_images images 65536" "fuzz_dates dates 128" "fuzz_reports tree 25600")
status=0
for entry in "${targets[@]}"; do
  read -r target seed maxlen <<<"$entry"
  corpus="$build/fuzz-corpus/$target"
  mkdir -p "$corpus"
  log="$build/fuzz-artifacts/$target.log"
  if QT_QPA_PLATFORM=offscreen "$build/fuzz/$target" -max_total_time="$seconds" -max_len="$maxlen" -timeout=20 \
       -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
       "$corpus" "$seeds/$seed" >"$log" 2>&1; then
    result="no fault"
  else
    result="FAULT (see $log)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  echo "$target: $runs executions in ${seconds} s, $result"
done
exit $status
