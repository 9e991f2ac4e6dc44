#!/usr/bin/env bash
# bench/live_ratios.py, which gives the live benchmark's verdicts: with the results of several runs
# of the benchmark program a row takes the median of the runs' ratios (not of their times) and
# shows the lowest and highest, a target is missed when that median lies above it, and memory
# counts the worst run; with one run the spread of its repetitions is shown instead.
set -euo pipefail

source_dir=${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "bench_ratios_test: FAIL: $*" >&2
  exit 1
}

# results FILE ZEPH_FRAME QCP_FRAME ZEPH_SLIDER QCP_SLIDER ZEPH_BYTES: one run's medians in ms.
results() {
  python3 - "$@" <<'PY'
import json, sys
path, frame, plot_frame, slider, plot_slider, zeph_bytes = sys.argv[1:]
def aggregate(name, ms, bytes_per_point=None):
    entries = []
    for kind, value in (("median", float(ms)), ("cv", 0.05)):
        entry = {"name": f"{name}_{kind}", "run_name": name, "run_type": "aggregate",
                 "aggregate_name": kind, "real_time": value, "cpu_time": value, "time_unit": "ms"}
        if bytes_per_point is not None:
            entry["bytes_per_point"] = float(bytes_per_point)
        entries.append(entry)
    return entries
benchmarks = (aggregate("BM_LiveFrame_Zeph_Bulk/1000000/150/min_time:0.250/manual_time", frame) +
              aggregate("BM_LiveFrame_QCustomPlot/1000000/150/min_time:0.250/manual_time", plot_frame) +
              aggregate("BM_SliderStep_Zeph/100", slider) + aggregate("BM_SliderStep_QCustomPlot/100", plot_slider) +
              aggregate("BM_LiveLoad_Zeph_Bulk/10000000/100/iterations:1/manual_time", 50, zeph_bytes) +
              aggregate("BM_LiveLoad_QCustomPlot/10000000/100/iterations:1/manual_time", 120, 16.0))
json.dump({"benchmarks": benchmarks}, open(path, "w"))
PY
}

# Frame ratios 0.4, 0.6 and 0.45 (median 0.45: met, though one run is over); slider ratios 0.3,
# 0.2 and 0.28 (median 0.28: missed, though one run is under); the slider's times alone would
# give a median ratio of 0.28 / 1.0 too, the frame's 0.3 / 0.5 = 0.6: the ratios must be taken
# run by run.
results "$work/1.json" 0.2 0.5 0.3 1.0 16.5
results "$work/2.json" 0.3 0.5 0.2 1.0 17.2
results "$work/3.json" 0.45 1.0 0.28 1.0 16.4
report=$(python3 "$source_dir/bench/live_ratios.py" "$work/1.json" "$work/2.json" "$work/3.json")
echo "$report"

row() { grep -E "^$1 " <<<"$report" | grep -E "$2" || fail "no row for $1 $2 in the report"; }
frame=$(row "live frame, bulk" " 1M +1.5 ")
[[ $frame =~ \ 0\.450\ +0\.50\ +0\.400-0\.600\  ]] || fail "frame row: $frame"
[[ $frame == *" met" ]] || fail "the frame's median ratio meets its target: $frame"
slider=$(row "slider step" " 1.0 ")
[[ $slider =~ \ 0\.280\ +0\.25\ +0\.200-0\.300\  ]] || fail "slider row: $slider"
[[ $slider == *" MISSED" ]] || fail "the slider's median ratio misses its target: $slider"
memory=$(row "load, bulk" " 10M +1.0 ")
[[ $memory =~ \ 17\.2\ +16\.0\  ]] || fail "memory counts the worst run: $memory"
[[ $memory == *" MISSED" ]] || fail "17.2 bytes a point miss the target: $memory"

# One run: its own ratio, and the repetitions' spread instead of a range.
single=$(python3 "$source_dir/bench/live_ratios.py" "$work/1.json")
frame=$(grep -E "^live frame, bulk " <<<"$single") || fail "no frame row for one run"
[[ $frame =~ \ 0\.400\ +0\.50\ +5%/5%\  ]] || fail "one run's frame row: $frame"

# No file, or one that is not there: a usage line or the error, and a failure.
ratios=$source_dir/bench/live_ratios.py
if python3 "$ratios" >/dev/null 2>&1; then fail "no arguments were accepted"; fi
if python3 "$ratios" "$work/none.json" >/dev/null 2>&1; then fail "a missing file was accepted"; fi
echo "bench_ratios_test: ok"
