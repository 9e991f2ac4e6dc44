#!/usr/bin/env bash
# The program's own options on a machine without a display: --render into PNG and PDF, --export-csv,
# --help and --version, the host's parameters left alone, and clear errors for bad values.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
artefacts="${VARACTOR_ARTEFACTS:-$PWD/artefacts}"
mkdir -p "$artefacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "app_cli_test: $*" >&2
  exit 1
}

# Runs the program with no display at all; its exit code is left in $status.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin" "$@" >"$work/stdout" 2>"$work/stderr" || status=$?
}

# The program failed with the exit code and said why in one line naming the word.
expect_error() {
  local code=$1 word=$2
  shift 2
  run "$@"
  [ "$status" -eq "$code" ] || fail "'$*' exited with $status, not $code"
  [ "$(grep -c '^varactor: ' "$work/stderr")" -eq 1 ] || fail "'$*' did not report one error line: $(cat "$work/stderr")"
  grep '^varactor: ' "$work/stderr" | grep -q -- "$word" || fail "'$*' reported: $(cat "$work/stderr")"
}

blue_count() {
  convert "$1" -crop "$2" +repage txt:- | grep -c '#0000FF' || true
}

# An image of both charts, with the host's parameters and foreign options around the own ones.
run /serverhandle=4711 --render "$work/charts.png" --unknown --position 1000 --size 800x400 lesson.dat
[ "$status" -eq 0 ] || fail "--render failed: $(cat "$work/stderr")"
[ "$(identify -format '%wx%h' "$work/charts.png")" = "800x400" ] || fail "the image is not 800x400"
cp "$work/charts.png" "$artefacts/app_cli_render.png"
left=$(blue_count "$work/charts.png" 400x400+0+0)
right=$(blue_count "$work/charts.png" 400x400+400+0)
[ "$left" -gt 150 ] && [ "$right" -gt 150 ] || fail "curves missing: $left left, $right right"

# The default size is the charts' area of the designed window.
run --render "$work/default.png"
[ "$status" -eq 0 ] || fail "--render with the default size failed"
[ "$(identify -format '%wx%h' "$work/default.png")" = "687x384" ] || fail "default size is not 687x384"

run --render "$work/charts.pdf" --position -1000 --size 600x300
[ "$status" -eq 0 ] || fail "PDF rendering failed: $(cat "$work/stderr")"
head -c 5 "$work/charts.pdf" | grep -q '%PDF-' || fail "no PDF written"
grep -aEq 'MediaBox \[0 0 600(\.0+)? 300(\.0+)?\]' "$work/charts.pdf" || fail "the PDF page is not 600 x 300 points"

# SVG, and an image at twice the pixels.
run --render "$work/charts.svg" --position 300 --size 600x300
[ "$status" -eq 0 ] || fail "SVG rendering failed: $(cat "$work/stderr")"
grep -q '<title>Varactor diode, slider position 300</title>' "$work/charts.svg" || fail "the SVG has no title"
run --render "$work/scaled.png" --size 600x300 --scale 2
[ "$status" -eq 0 ] || fail "--scale 2 failed: $(cat "$work/stderr")"
[ "$(identify -format '%wx%h' "$work/scaled.png")" = "1200x600" ] || fail "--scale 2 did not double the pixels"
cp "$work/scaled.png" "$artefacts/app_cli_render_scale_2.png"

run --export-csv "$work/curves.csv" --position 500
[ "$status" -eq 0 ] || fail "--export-csv failed"
[ "$(wc -l <"$work/curves.csv")" -eq 301 ] || fail "the CSV does not hold a header and 300 rows"
[ "$(head -n 1 "$work/curves.csv")" = "U [V],C [pF],d [um],ND [10^16 cm^-3]" ] || fail "wrong CSV header"
sed -n 2p "$work/curves.csv" | grep -q '^0\.1,5\.9' || fail "first row: $(sed -n 2p "$work/curves.csv")"
sed -n 102p "$work/curves.csv" | grep -q '^,,1.01' || fail "row 101 should leave the capacitance empty"

# "-" is standard output, with the same text as the file; no file named "-" appears.
(cd "$work" && run --export-csv - --position 500)
[ "$status" -eq 0 ] || fail "--export-csv - failed: $(cat "$work/stderr")"
cmp -s "$work/stdout" "$work/curves.csv" || fail "--export-csv - did not write the CSV to standard output"
[ ! -e "$work/-" ] || fail "--export-csv - created a file named '-'"

# Both at once.
run --render "$work/both.png" --export-csv "$work/both.csv"
[ "$status" -eq 0 ] && [ -s "$work/both.png" ] && [ -s "$work/both.csv" ] || fail "--render with --export-csv failed"

run --help
[ "$status" -eq 0 ] && grep -q -- '--export-csv' "$work/stdout" || fail "--help"
wide=$(grep -v 'Installed languages are in' "$work/stdout" | awk 'length($0) > 80' || true)
[ -z "$wide" ] || fail "--help is wider than 80 columns: $wide"
run --version
[ "$status" -eq 0 ] && grep -qx 'varactor 1.0' "$work/stdout" || fail "--version"

expect_error 2 position --render "$work/x.png" --position 1001
expect_error 2 position --export-csv "$work/x.csv" --position abc
expect_error 2 size --render "$work/x.png" --size 12
expect_error 2 render --render
expect_error 2 scale --render "$work/x.png" --scale 5
expect_error 2 scale --render "$work/x.pdf" --scale 2
# With the window too a bad grading is refused before any display is looked for.
expect_error 2 position --position 1001
expect_error 1 "$work/missing/x.png" --render "$work/missing/x.png"
expect_error 1 "$work/missing/x.csv" --export-csv "$work/missing/x.csv"
expect_error 2 "too small" --render "$work/x.png" --size 100x100
[ ! -e "$work/x.png" ] && [ ! -e "$work/x.csv" ] || fail "a failed run left a file behind"

# A failed run leaves an existing file as it was.
echo keep >"$work/keep.csv"
expect_error 2 position --export-csv "$work/keep.csv" --position 5000
[ "$(cat "$work/keep.csv")" = keep ] || fail "a failed run changed an existing file"

echo "app_cli_test: passed"
