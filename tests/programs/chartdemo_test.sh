#!/usr/bin/env bash
# The chart demo shows its two sharing charts under a real X server and saves a screenshot; a
# drag in pan mode, driven with xdotool when it is there, moves the left chart's content.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?}/chartdemo"
out_dir="${VARACTOR_ARTEFACTS:-$(mktemp -d)}"
mkdir -p "$out_dir"
out="$out_dir/chartdemo.png"
rm -f "$out"

xvfb-run -a -s "-noreset -screen 0 1280x1024x24" "$bin" --mode maPan --screenshot "$out"

# Counts the pixels of a PNG that are dark, blue (the curves) and red (the marks).
count_pixels() {
  PYTHONPATH="$(dirname "$0")" python3 - "$1" <<'PY'
import sys
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
stride = width * bpp
dark = navy = red = 0
for r in rows:
    for x in range(0, stride, bpp):
        red_, green, blue = r[x], r[x + 1], r[x + 2]
        dark += max(red_, green, blue) < 80
        navy += red_ < 40 and green < 40 and 100 < blue < 160
        red += red_ > 200 and green < 60 and blue < 60
print(width, height, dark, navy, red)
PY
}

read -r width height dark navy red < <(count_pixels "$out")
# The window at its size, with both charts drawn: the envelope in navy on both, the marks in red.
[[ "$width" -ge 900 && "$height" -ge 550 ]] || { echo "window of ${width}x${height}" >&2; exit 1; }
[[ "$navy" -gt 1000 ]] || { echo "only $navy navy pixels: curves missing" >&2; exit 1; }
[[ "$red" -gt 200 ]] || { echo "only $red red pixels: marks missing" >&2; exit 1; }
[[ "$dark" -gt 3000 && "$dark" -lt $((width * height / 3)) ]] || { echo "$dark dark pixels" >&2; exit 1; }

# A drag to the right in pan mode lowers the left chart's time range below 0; a window drawn
# from its bottom-right to its top-left in zoom-window mode turns the time axis round.
drive() {
  local mode="$1" log="$2"
  shift 2
  timeout 60 xvfb-run -a -s "-noreset -screen 0 1280x1024x24" bash -c '
    bin="$1"; mode="$2"; log="$3"; shift 3
    "$bin" --mode "$mode" > "$log" 2>/dev/null &
    pid=$!
    timeout 20 xdotool search --sync --onlyvisible --name "ZephChart demo" > /dev/null
    sleep 1
    xdotool "$@"
    sleep 1
    kill "$pid"
    wait "$pid" || true' drive "$bin" "$mode" "$log" "$@"
}
log="$out_dir/chartdemo_events.txt"
drive maPan "$log" mousemove 200 300 mousedown 1 mousemove 205 300 sleep 0.2 mousemove 300 300 sleep 0.2 \
  mouseup 1 mousemove 301 301
grep -q "left chart: t from -" "$log" || { echo "no pan:" >&2; cat "$log" >&2; exit 1; }
drive maZoomWind "$log" mousemove 400 400 mousedown 1 mousemove 350 350 sleep 0.2 mousemove 200 200 sleep 0.2 \
  mouseup 1 mousemove 201 201
grep -Eq "left chart: t from [0-9.]+ to [0-9.]+" "$log" || { echo "no zoom:" >&2; cat "$log" >&2; exit 1; }
python3 - "$log" <<'PY'
import re, sys
line = [l for l in open(sys.argv[1]) if l.startswith("left chart: t from")][-1]
low, high = map(float, re.match(r"left chart: t from (\S+) to (\S+),", line).groups())
assert low > high, line  # drawn right to left: the time axis runs backwards
PY

# Wrong arguments are refused.
for args in "--screenshot" "--mode" "--mode maNothing"; do
  # shellcheck disable=SC2086
  if QT_QPA_PLATFORM=offscreen "$bin" $args 2>/dev/null; then
    echo "chartdemo accepted $args" >&2
    exit 1
  fi
done
echo "chartdemo: 1 passed, 0 failed"
