#!/usr/bin/env bash
# Builds the chart benchmark when needed and runs it off screen; arguments go to the benchmark
# (for example --benchmark_filter=SliderStep, or --save-images=DIR to write both renderings).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target chart_bench -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen
exec "$build/bin/chart_bench" "$@"
