#!/usr/bin/env bash
# Builds the host server and its load benchmark when needed and runs it: 150 participants for
# 30 s by default (HOST_LOAD_CLIENTS, HOST_LOAD_SECONDS). Arguments go to the benchmark.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target host_load_bench hostserver -j2 >/dev/null
exec "$build/bin/host_load_bench" "$@"
