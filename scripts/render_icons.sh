#!/usr/bin/env bash
# Renders the application icon's PNG sizes: 48 pixels and up from its SVG (needs rsvg-convert,
# Debian librsvg2-bin), the small sizes 16, 22, 24 and 32 from their hand-drawn pixel maps in
# resources/icons/pixelart (a scaled-down SVG smears at those sizes). Run after changing the
# artwork; the PNGs are kept in the repository, so building needs no renderer.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
cd "$scripts/../resources/icons"
for size in 16 22 24 32; do
  mkdir -p "hicolor/${size}x${size}/apps"
  python3 "$scripts/pixelmap_to_png.py" "pixelart/varactor-$size.txt" "hicolor/${size}x${size}/apps/varactor.png"
done
for size in 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" hicolor/scalable/apps/varactor.svg -o "hicolor/${size}x${size}/apps/varactor.png"
done
