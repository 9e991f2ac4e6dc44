#!/usr/bin/env bash
# Peak memory of large renders, measured with GNU time: a PDF or SVG draws no picture of the page,
# so it needs no more memory at 8192 x 8192 than at a small size; a PNG needs its picture and at
# most a quarter more.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "render_memory_test: $*" >&2
  exit 1
}

# The peak resident memory in KiB of rendering into the file at the size.
peak() {
  env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/time -f '%M' -o "$work/time" "$bin" --render "$work/$1" --size "$2" \
    >/dev/null 2>"$work/stderr" || fail "rendering $1 at $2 failed: $(cat "$work/stderr")"
  cat "$work/time"
}

for kind in pdf svg; do
  small=$(peak "small.$kind" 800x400)
  large=$(peak "large.$kind" 8192x8192)
  echo "$kind: ${small} KiB at 800x400, ${large} KiB at 8192x8192"
  # The same within a few MiB: nothing grows with the page.
  [ "$large" -le $((small + 8 * 1024)) ] || fail "a large $kind took $large KiB against $small KiB for a small one"
done

png=$(peak large.png 8192x8192)
image=$((8192 * 8192 * 4 / 1024))
echo "png: ${png} KiB at 8192x8192 for a picture of ${image} KiB"
[ "$png" -le $((image * 5 / 4)) ] || fail "a large PNG took $png KiB, more than its picture and a quarter ($image KiB)"
[ "$(head -c 4 "$work/large.png" | tail -c 3)" = "PNG" ] || fail "no PNG written"

echo "render_memory_test: passed"
