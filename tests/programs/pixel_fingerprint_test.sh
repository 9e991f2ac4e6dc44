#!/usr/bin/env bash
# A fixed set of pictures, compared by their SHA-256 sums with the ones recorded in
# pixel_fingerprints.sha256: the simulation at three slider positions as PNG at scale 1 and 2 and
# as SVG, and the chart demo plain, anti-aliased, dark with legends and with navigation. Work on
# the chart's inside must leave every one byte for byte as it was.
#
# A change meant to alter pixels re-records the sums it changes, with its reason in the commit:
#   PIXEL_FINGERPRINTS_RECORD=1 VARACTOR_BIN_DIR=build/bin bash tests/programs/pixel_fingerprint_test.sh
set -euo pipefail

bin_dir="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}"
sums="$(dirname "$0")/pixel_fingerprints.sha256"
out="${VARACTOR_ARTEFACTS:-$PWD/artefacts}/pixel_fingerprints"
rm -rf "$out"
mkdir -p "$out"

# The simulation draws off screen; no display, so that nothing of the desktop leaks in.
for position in -700 0 1000; do
  for picture in "scale1.png --scale 1" "scale2.png --scale 2" "vector.svg"; do
    read -r suffix options <<<"$picture"
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin_dir/varactor" \
      --render "$out/varactor_${position}_${suffix}" --position "$position" $options
  done
done

# The demo's window, grabbed as its widgets draw it, on the off-screen platform.
for variant in plain antialiased dark-legend navigation; do
  case "$variant" in
    plain) options=() ;;
    antialiased) options=(--antialiased) ;;
    dark-legend) options=(--dark --legend) ;;
    navigation) options=(--navigation) ;;
  esac
  QT_QPA_PLATFORM=offscreen timeout 60 "$bin_dir/chartdemo" "${options[@]}" --screenshot "$out/chartdemo_$variant.png"
done

if [ "${PIXEL_FINGERPRINTS_RECORD:-0}" = 1 ]; then
  (cd "$out" && sha256sum -- *) >"$sums"
  echo "pixel_fingerprint_test: recorded $(wc -l <"$sums") sums in $sums"
  exit 0
fi

if ! (cd "$out" && sha256sum --quiet -c -) <"$sums"; then
  echo "pixel_fingerprint_test: pictures differ from the recorded ones; they are in $out" >&2
  exit 1
fi
[ "$(find "$out" -type f | wc -l)" -eq "$(wc -l <"$sums")" ] || { echo "pixel_fingerprint_test: a picture has no recorded sum" >&2; exit 1; }
echo "pixel_fingerprint_test: $(wc -l <"$sums") pictures as recorded"
