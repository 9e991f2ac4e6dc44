#!/usr/bin/env bash
# The stand-in host server's commands while a participant never acknowledges: "list" is answered
# at once although the server waits inside a send to that participant, "quit" reaches the good
# participant, and SIGTERM ends the server within a bounded time.
source "$(dirname "$0")/host_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

start_server server --set V1=value-1
$peer silent-participant --keep-waiting >"$work/silent.log" 2>&1 &
pids+=($!)
wait_for "$work/silent.log" "request sent"
sleep 0.3

# The server now waits for the silent participant to take its reply; commands still come through.
began=$(date +%s%N)
echo list >&"$server_fd"
wait_for "$work/server.log" "end of list"
elapsed_ms=$(( ($(date +%s%N) - began) / 1000000 ))
[ "$elapsed_ms" -lt 1500 ] || fail "list took $elapsed_ms ms while the server waited for a participant"
grep -q "^participant .* silent /silent/peer" "$work/server.log" || fail "the silent participant is not listed"

export HOSTCLIENT_USE_SERVER=1
start_client good
wait_for "$work/good.log" "ready "
# An exit record is removed once its waiter has read it; one that nobody reads goes with the server.
printf '%s\n' 'exec sh 1 -c "exit 5"' 'exec sh 0 -c "exit 3"' >&"$good_fd"
wait_for "$work/good.log" "exec 5"
wait_for "$work/good.log" "exec "
for _ in $(seq 50); do [ "$(ls "$LEXIVO_RUNTIME_DIR/exit" | wc -l)" = 1 ] && break; sleep 0.1; done
[ "$(ls "$LEXIVO_RUNTIME_DIR/exit" | wc -l)" = 1 ] || fail "exit records: $(ls "$LEXIVO_RUNTIME_DIR/exit")"
echo quit >&"$server_fd"
wait_for "$work/good.log" "ended"
grep -qx "quit server-down 0" "$work/good.log" || fail "the good participant was not told to quit"

began=$(date +%s%N)
kill -TERM "$server_pid"
wait_exit "$server_pid" || true
elapsed_ms=$(( ($(date +%s%N) - began) / 1000000 ))
[ "$elapsed_ms" -lt 5000 ] || fail "SIGTERM took $elapsed_ms ms"
[ -z "$(ls "$LEXIVO_RUNTIME_DIR/exit" 2>/dev/null)" ] || fail "exit records left behind"
echo "host control test passed"
