#!/usr/bin/env bash
# The windows' outer sizes, minimum and centring hold frame included: once on a bare X server,
# where windows have no frame, and once under a window manager (openbox), whose frame is known
# only after the window is mapped.
source "$(dirname "$0")/app_startup_common.sh"

screen_width=1280
screen_height=1024

# frame_of ID: "left right top bottom" of the window manager's frame (zeros without one).
frame_of() {
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ',')
  echo "${extents:-0 0 0 0}"
}

# outer_of ID: "x y width height" of the window with its frame.
outer_of() {
  local x y w h l r t b
  x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
  y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$1" | sed -n 's/.*Width: *//p')
  h=$(xwininfo -id "$1" | sed -n 's/.*Height: *//p')
  read -r l r t b < <(frame_of "$1")
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# centred_outer WIDTH HEIGHT: the outer geometry a window of that outer size has when centred.
centred_outer() {
  echo "$(((screen_width - $1) / 2)) $(((screen_height - $2) / 2)) $1 $2"
}

# wait_outer ID EXPECTED: waits up to five seconds for the window's outer geometry.
wait_outer() {
  local now=""
  for _ in $(seq 50); do
    now=$(outer_of "$1")
    [ "$now" = "$2" ] && return 0
    sleep 0.1
  done
  fail "window $1 has the outer geometry \"$now\", not \"$2\" (frame $(frame_of "$1"))"
}

check_windows() {
  local mode=$1 main about minimum l r t b
  make_program "$work/$mode"
  start_program "$mode" "$work/$mode"
  about=$(wait_window About)
  main=$(wait_window "Varactor Diode")
  wait_outer "$main" "$(centred_outer 687 489)"
  read -r l r t b < <(frame_of "$about")
  wait_outer "$about" "$(centred_outer $((543 + l + r)) $((332 + t + b)))"
  # The minimum the window manager is told is the client's: with the frame it is 640 x 480.
  minimum=$(xprop -id "$main" WM_NORMAL_HINTS | sed -n 's/.*minimum size: \([0-9]*\) by \([0-9]*\).*/\1 \2/p')
  read -r l r t b < <(frame_of "$main")
  [ "$minimum" = "$((640 - l - r)) $((480 - t - b))" ] || fail "$mode: minimum client size $minimum with frame $l $r $t $b"
  import -window root "$artefacts/${test_name}_$mode.png"

  xdotool windowfocus --sync "$about"
  xdotool key Return
  wait_state event curves
  expect_state main.outer 687x489
  expect_state main.panel2 343
  local pid_var="${mode}_pid"
  kill "${!pid_var}"
  wait "${!pid_var}" 2>/dev/null || true
  echo "$test_name: $mode: outer sizes, minimum and centring hold"
}

check_windows bare

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" || fail "openbox did not start"
check_windows openbox
echo "$test_name: passed"
