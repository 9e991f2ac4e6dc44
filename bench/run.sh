#!/usr/bin/env bash
# Builds the chart benchmark when needed and runs it off screen; arguments go to the benchmark
# (for example --benchmark_filter=SliderStep, --save-images=DIR to write both renderings, or
# --antialiased to compare both libraries anti-aliased instead of both aliased).
#
# A first argument of --live, --live-quick or --huge runs the live-data cases against QCustomPlot
# instead, with repetitions, writes the results to live_data.json in the build tree (or to
# $BENCH_OUT) and prints the ZephChart / QCustomPlot ratios of the medians:
#   --live         every live-data case but the 100M-point one, and the slider step, in three runs of
#                  the program (about ten minutes; a case slower than a second a frame is measured
#                  in one repetition only)
#   --live-quick   the live frames at 1M points and the slider step (about a minute)
#   --huge         pan and zoom of a 100M-point curve: about 4 GB of memory
# Further arguments go to the benchmark, e.g. --benchmark_repetitions=3.
#
# $BENCH_RUNS sets how many runs of the program there are (results in live_data.1.json and so on):
# each compares both libraries in its own process, and the ratios are the medians of the runs'.
# One process as a whole can draw one library faster than another process does (memory placement,
# the load on a shared machine), more than the repetitions within it show.
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
runs=1
case "${1:-}" in
  --live) filter='BM_Live|BM_SliderStep'; runs="${BENCH_RUNS:-3}" ;;
  --live-quick) filter='BM_LiveFrame_.*/1000000/|BM_SliderStep'; repetitions=3; runs="${BENCH_RUNS:-1}" ;;
  --huge) filter='BM_Huge'; repetitions=3; runs="${BENCH_RUNS:-1}" ;;
esac
if [ -z "$filter" ]; then
  exec "$build/bin/chart_bench" "$@"
fi
shift
out="${BENCH_OUT:-$build/live_data.json}"
results=()
for run in $(seq 1 "$runs"); do
  file="$out"
  [ "$runs" -gt 1 ] && file="${out%.json}.$run.json"
  "$build/bin/chart_bench" --benchmark_filter="$filter" --benchmark_repetitions="$repetitions" \
    --benchmark_display_aggregates_only=true --benchmark_out="$file" --benchmark_out_format=json "$@"
  results+=("$file")
done
echo
echo "results in ${results[*]}"
python3 "$root/bench/live_ratios.py" "${results[@]}"
