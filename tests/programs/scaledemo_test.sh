#!/usr/bin/env bash
# The scale demo shows its window of stand-alone scales under a real X server and saves a
# screenshot of it.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?}/scaledemo"
out_dir="${VARACTOR_ARTEFACTS:-$(mktemp -d)}"
mkdir -p "$out_dir"
out="$out_dir/scaledemo.png"
rm -f "$out"

xvfb-run -a -s "-screen 0 1024x768x24" "$bin" --screenshot "$out"

# A PNG of the window's size (760 x 560), with real content rather than an empty face.
python3 - "$out" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
pos, idat, header = 8, b"", None
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + length]
    if kind == b"IHDR":
        header = struct.unpack(">IIBBBBB", body)
    elif kind == b"IDAT":
        idat += body
    pos += 12 + length
width, height, depth, colour = header[:4]
assert (width, height) == (760, 560), (width, height)
assert depth == 8 and colour in (2, 6), header
bpp = 3 if colour == 2 else 4
raw, stride = zlib.decompress(idat), width * bpp
rows, prev, i = [], bytearray(stride), 0
for _ in range(height):
    kind, line = raw[i], bytearray(raw[i + 1:i + 1 + stride])
    i += 1 + stride
    for x in range(stride):
        a = line[x - bpp] if x >= bpp else 0
        b, c = prev[x], (prev[x - bpp] if x >= bpp else 0)
        if kind == 1: line[x] = (line[x] + a) & 255
        elif kind == 2: line[x] = (line[x] + b) & 255
        elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    rows.append(line)
    prev = line
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
