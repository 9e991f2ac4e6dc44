#!/usr/bin/env bash
# The stand-in host server under nesting: 300 requests at once whose replies go to a window that
# never acknowledges. The server nests its waits up to its limit, the rest wait their turn; it
# must not crash, must acknowledge every request once its waits give up, and must still answer.
source "$(dirname "$0")/host_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

start_server server --no-registry --set V1=value-1
$peer nested --count 300 --timeout 60 >"$work/nested.log" 2>&1 &
nested_pid=$!
pids+=($nested_pid)
wait_for "$work/nested.log" "sent 300"
sleep 1
kill -0 "$server_pid" 2>/dev/null || fail "the server died under nesting"
wait "$nested_pid" || fail "the nesting peer failed"
grep -qx "acked 300" "$work/nested.log" || fail "not every request was acknowledged: $(cat "$work/nested.log")"
kill -0 "$server_pid" 2>/dev/null || fail "the server died after nesting"
[ "$($peer ask V1)" = "answer value-1" ] || fail "the server does not answer after nesting"
echo "host nesting test passed"
