#!/usr/bin/env bash
# The real simulation under Xvfb, driven from outside like a user: the about box comes up over the
# main window, the keyboard closes it, the slider goes to its right end, and a screenshot must show
# both curves, each in its own chart half.
set -euo pipefail

if [ -z "${APP_UI_TEST_IN_XVFB:-}" ]; then
  exec env APP_UI_TEST_IN_XVFB=1 xvfb-run -a -s "-noreset -screen 0 1280x1024x24" bash "$0" "$@"
fi

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
artefacts="${VARACTOR_ARTEFACTS:-$PWD/artefacts}"
mkdir -p "$artefacts"
work=$(mktemp -d)
# A runtime directory and registry of its own: no other running simulation counts as this one's
# first instance.
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "app_ui_test: $*" >&2
  exit 1
}

# Waits up to 20 s for a visible window with exactly this title; prints its id.
wait_window() {
  local id=""
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

# X, Y, WIDTH and HEIGHT of a window.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

# The "x y" of every pure blue pixel (the curves' colour) of an image region WxH+X+Y.
blue_pixels() {
  convert "$1" -crop "$2" +repage txt:- | awk -F'[,: ]+' '/#0000FF/ { print $1, $2 }'
}

"$bin" >"$work/out.log" 2>&1 &
pid=$!

about=$(wait_window About) || fail "the about box did not appear"
main=$(wait_window "Varactor Diode") || fail "the main window did not appear"
sleep 1
read -r mx my mw mh < <(geometry "$main")
read -r ax ay aw ah < <(geometry "$about")
import -window root "$work/about.png"
cp "$work/about.png" "$artefacts/app_ui_about.png"
# The charts lie between the slider panel (49 pixels) and the information text (56 pixels); the
# profile takes the left half, the capacitance the right half.
chart_top=$((my + 49))
chart_height=$((mh - 49 - 56))
half=$((mw / 2))
# Until the box is closed the charts show no data: no curve pixel outside the box (its links are
# blue too, so the box itself is blanked out first).
convert "$work/about.png" -fill black -draw "rectangle $ax,$ay $((ax + aw)),$((ay + ah))" "$work/about_masked.png"
early=$(blue_pixels "$work/about_masked.png" "${mw}x${chart_height}+${mx}+${chart_top}" | wc -l)
[ "$early" -eq 0 ] || fail "$early curve pixels were drawn before the about box was closed"

xdotool windowfocus --sync "$about"
xdotool key Return
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1 || break
  sleep 0.2
done
xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1 && fail "Return did not close the about box"

# The slider: 8, 18, 353 x 24 inside the top panel, which starts at the window's client origin.
xdotool windowfocus --sync "$main"
xdotool mousemove --sync $((mx + 8 + 176)) $((my + 18 + 16)) click 1
sleep 0.3
xdotool key End
sleep 1
import -window root "$work/screen.png"
cp "$work/screen.png" "$artefacts/app_ui_slider_right.png"

blue_pixels "$work/screen.png" "${half}x${chart_height}+${mx}+${chart_top}" >"$work/left.txt"
blue_pixels "$work/screen.png" "$((mw - half))x${chart_height}+$((mx + half))+${chart_top}" >"$work/right.txt"
left=$(wc -l <"$work/left.txt")
right=$(wc -l <"$work/right.txt")
echo "curve pixels: profile $left, capacitance $right"
[ "$left" -gt 150 ] || fail "the profile chart shows no curve ($left blue pixels)"
[ "$right" -gt 150 ] || fail "the capacitance chart shows no curve ($right blue pixels)"
# At the right end the profile is the rising line ND = d: it spans many rows, not the flat line
# of the start position, and rises to the right (smaller y further right).
rows=$(awk '{ print $2 }' "$work/left.txt" | sort -u | wc -l)
[ "$rows" -gt 60 ] || fail "the profile is not the linear one ($rows rows)"
read -r first_x first_y < <(sort -n -k1,1 "$work/left.txt" | head -n 1)
read -r last_x last_y < <(sort -n -k1,1 "$work/left.txt" | tail -n 1)
[ "$last_y" -lt "$first_y" ] || fail "the profile does not rise from ($first_x,$first_y) to ($last_x,$last_y)"

kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
echo "app_ui_test: passed"
