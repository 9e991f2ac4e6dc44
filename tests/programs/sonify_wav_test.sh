#!/usr/bin/env bash
# varactor --sonify writes both curves as sound without a display: the WAV is read back, and its
# pitch must follow the curves of --export-csv, falling where the capacitance falls.
set -euo pipefail
bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/sonify_wav_test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "sonify_wav_test: FAIL: $*" >&2
  exit 1
}

for position in 0 1000 -1000; do
  env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --sonify "$work/p$position.wav" --position "$position" ||
    fail "--sonify at $position failed"
  "$bin" --export-csv "$work/p$position.csv" --position "$position"
done
# sox reads the file as a WAV of one channel at 22050 Hz.
sox --i "$work/p0.wav" | grep -q "Channels *: 1" || fail "sox does not read a mono WAV"
sox --i "$work/p0.wav" | grep -q "Sample Rate *: 22050" || fail "sox reads another rate"
python3 "$here/sonify_pitch.py" "$work/p0.wav" "$work/p0.csv" capacitance=falls profile=level ||
  fail "position 0"
python3 "$here/sonify_pitch.py" "$work/p1000.wav" "$work/p1000.csv" capacitance=falls profile=rises ||
  fail "position 1000"
python3 "$here/sonify_pitch.py" "$work/p-1000.wav" "$work/p-1000.csv" capacitance=falls ||
  fail "position -1000"

# A file that cannot be written is refused with the reason, and nothing is left behind.
if "$bin" --sonify "$work/missing/dir/x.wav" 2>"$work/err.txt"; then fail "an unwritable file was accepted"; fi
grep -q "cannot write" "$work/err.txt" || fail "no reason given: $(cat "$work/err.txt")"
echo "sonify_wav_test: passed"
