#!/usr/bin/env bash
# Builds the chart benchmark when needed and runs it off screen; arguments go to the benchmark
# (for example --benchmark_filter=SliderStep, or --save-images=DIR to write both renderings).
#
# A first argument of --live, --live-quick or --huge runs the live-data cases against QCustomPlot
# instead, with repetitions, writes the results to live_data.json in the build tree (or to
# $BENCH_OUT) and prints the ZephChart / QCustomPlot ratios of the medians:
#   --live         every live-data case but the 100M-point one, and the slider step (a few minutes)
#   --live-quick   the live frames at 1M points and the slider step (about a minute)
#   --huge         pan and zoom of a 100M-point curve: about 4 GB of memory
# Further arguments go to the benchmark, e.g. --benchmark_repetitions=3.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BENCH_BUILD_DIR:-$root/build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target chart_bench -j2 >/dev/null
export QT_QPA_PLATFORM=offscreen

filter=
repetitions=5
case "${1:-}" in
  --live) filter='BM_Live|BM_SliderStep' ;;
  --live-quick) filter='BM_LiveFrame_.*/1000000/|BM_SliderStep'; repetitions=3 ;;
  --huge) filter='BM_Huge'; repetitions=3 ;;
esac
if [ -z "$filter" ]; then
  exec "$build/bin/chart_bench" "$@"
fi
shift
out="${BENCH_OUT:-$build/live_data.json}"
"$build/bin/chart_bench" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
  --benchmark_display_aggregates_only=true --benchmark_out="$out" --benchmark_out_format=json "$@"
echo
echo "results in $out"
python3 "$root/bench/live_ratios.py" "$out"
