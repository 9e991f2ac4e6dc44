#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, starting from its saved corpus under fuzz/corpus/.
# Each run works in a temporary folder (also the targets' TMPDIR) that is removed however it ends;
# the inputs of a failure are kept in fuzz-artifacts/.
set -euo pipefail
bindir=$1
seconds=${FUZZ_SECONDS:-45}
work=""
trap '[ -n "$work" ] && rm -rf "$work"' EXIT
shopt -s nullglob
for fuzzer in "$bindir"/*_fuzz; do
  name=$(basename "$fuzzer")
  corpus=fuzz/corpus/$name
  work=$(mktemp -d)
  mkdir -p "$corpus" "$work/units" "$work/tmp"
  echo "fuzzing $name for ${seconds}s"
  TMPDIR="$work/tmp" "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=256 \
    -print_final_stats=1 -artifact_prefix="$work/" "$work/units" "$corpus" 2>"$work/log" ||
    { tail -50 "$work/log"; mkdir -p fuzz-artifacts; cp "$work"/crash-* "$work"/leak-* "$work"/oom-* \
        "$work"/timeout-* fuzz-artifacts/ 2>/dev/null || true; echo "inputs kept in fuzz-artifacts/"; exit 1; }
  grep -E "^(stat::number_of_executed_units|Done)" "$work/log" || true
  rm -rf "$work"
  work=""
done
echo "fuzzers: 0 failed"
