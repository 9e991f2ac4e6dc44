#!/usr/bin/env bash
# The stand-in host server with 200 participants asking at once, five requests each: every
# request is answered, and answered right, and the server stays up.
source "$(dirname "$0")/host_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

values=()
for i in $(seq 0 9); do values+=(--set "V$i=value-$i"); done
start_server server --no-registry "${values[@]}"
$peer clients --count 200 --rounds 5 >"$work/clients.log" 2>&1 || fail "the clients failed"
grep -qx "answered 1000" "$work/clients.log" || fail "not every request was answered right: $(cat "$work/clients.log")"
kill -0 "$server_pid" 2>/dev/null || fail "the server died under load"
echo "host load test passed ($(grep p99_ms "$work/clients.log"))"
