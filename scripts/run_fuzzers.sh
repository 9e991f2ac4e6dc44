#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from its saved corpus under fuzz/corpus/.
set -euo pipefail
bindir=$1
seconds=${FUZZ_SECONDS:-45}
shopt -s nullglob
for fuzzer in "$bindir"/*_fuzz; do
  name=$(basename "$fuzzer")
  corpus=fuzz/corpus/$name
  work=$(mktemp -d)
  mkdir -p "$corpus"
  echo "fuzzing $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=256 -print_final_stats=1 \
            -artifact_prefix="$work/" "$work" "$corpus" 2>"$work/log" || { tail -50 "$work/log"; exit 1; }
  grep -E "^(stat::number_of_executed_units|Done)" "$work/log" || true
  rm -rf "$work"
done
echo "fuzzers: 0 failed"
