#!/usr/bin/env bash
# Projector mode in the real program: the charts' context menu switches it on, the next start
# remembers it from the user's configuration, --projector draws renders in it; the default look
# is untouched.
source "$(dirname "$0")/app_startup_common.sh"

export XDG_CONFIG_HOME=$work/config
make_program "$work/app"
start_program app "$work/app"
about=$(wait_window About)
main=$(wait_window "Varactor Diode")
close_box "$about"
wait_state items.capacitance 100
expect_state look.projector 0
eval "$(xdotool getwindowgeometry --shell "$main")"
# The context menu of the capacitance chart; its last entry is projector mode.
xdotool mousemove $((X + $(state main.panel2) + 100)) $((Y + 120)) click 3
sleep 0.5
xdotool key Up Return
wait_state look.projector 1
xdotool mousemove 5 5
shot lesson_projector
grep -qx 'projector=true' "$XDG_CONFIG_HOME/varactor/varactor.ini" ||
  fail "projector mode was not remembered: $(cat "$XDG_CONFIG_HOME/varactor/varactor.ini" 2>&1)"
kill "$app_pid"
wait_exit "$app_pid"

start_program again "$work/app"
about=$(wait_window About)
close_box "$about"
wait_state items.capacitance 100
expect_state look.projector 1
kill "$again_pid"
wait_exit "$again_pid"

"$bin/varactor" --render "$work/plain.png" || fail "render"
"$bin/varactor" --render "$work/projector.png" --projector || fail "render --projector"
! cmp -s "$work/plain.png" "$work/projector.png" || fail "--projector drew the default look"
# The remembered choice is the window's: renders without --projector keep the default look.
XDG_CONFIG_HOME=$work/empty "$bin/varactor" --render "$work/default.png" || fail "render without configuration"
cmp -s "$work/plain.png" "$work/default.png" || fail "the remembered projector mode changed a render"
echo "$test_name: passed"
