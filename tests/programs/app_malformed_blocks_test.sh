#!/usr/bin/env bash
# The simulation sent 300 blocks too short to be messages, all at once, as a hostile local peer
# would: it stays up and shows one error box; the errors that come while the box is open go to
# standard error with the sending window, and every block is acknowledged.
source "$(dirname "$0")/app_startup_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

make_program "$work/prog"
start_program sim "$work/prog"
about=$(wait_window About)
close_box "$about"
wait_gone About
wait_state event curves

$peer malformed --count 300 --timeout 8 >"$work/malformed.txt" 2>&1 &
malformed_pid=$!
pids+=($malformed_pid)
box=$(wait_window varactor)
wait "$malformed_pid" || fail "the peer failed: $(cat "$work/malformed.txt")"
# The block whose box is open waits for the box; all the others are answered meanwhile.
grep -qx "acked 299" "$work/malformed.txt" || fail "blocks not acknowledged: $(cat "$work/malformed.txt")"
kill -0 "$sim_pid" 2>/dev/null || fail "the simulation died"
[ "$(xdotool search --onlyvisible --name "^varactor$" | wc -l)" = 1 ] || fail "more than one error box"
[ "$(grep -c "(message from window [0-9]*)$" "$work/sim.log")" = 299 ] ||
  fail "expected 299 errors on standard error, got $(grep -c "message from window" "$work/sim.log")"
shot app_malformed_blocks_one_box
close_box "$box"
wait_gone varactor
kill -0 "$sim_pid" 2>/dev/null || fail "the simulation ended with the box"
echo "$test_name: passed"
