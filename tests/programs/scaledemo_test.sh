#!/usr/bin/env bash
# The scale demo shows its window of stand-alone scales under a real X server and saves a
# screenshot of it.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?}/scaledemo"
out_dir="${VARACTOR_ARTEFACTS:-$(mktemp -d)}"
mkdir -p "$out_dir"
out="$out_dir/scaledemo.png"
rm -f "$out"

xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$bin" --screenshot "$out"

# A PNG of the window's size (760 x 560), with real content rather than an empty face.
PYTHONPATH="$(dirname "$0")" python3 - "$out" <<'PY'
import sys
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
assert (width, height) == (760, 560), (width, height)
stride = width * bpp
dark = sum(1 for r in rows for x in range(0, stride, bpp) if max(r[x:x + 3]) < 80)
# Ticks, base lines, labels and frames of six scales: thousands of dark pixels, but far from all.
assert 3000 < dark < width * height // 4, dark
PY

# A missing file name is refused.
if QT_QPA_PLATFORM=offscreen "$bin" --screenshot 2>/dev/null; then
  echo "scaledemo accepted --screenshot without a file name" >&2
  exit 1
fi
echo "scaledemo: 1 passed, 0 failed"
