#!/usr/bin/env bash
# Single instance with real processes: a second start hands its arguments to the running one
# (found through the server) and ends; without a server it ends silently; with MultiStart
# several run side by side.
source "$(dirname "$0")/host_common.sh"

start_server server
export HOSTCLIENT_USE_SERVER=1
start_client first alpha
wait_for "$work/first.log" "ready "

"$bin/hostclient" beta gamma >"$work/second.log" 2>&1 </dev/null
grep -q "ready" "$work/second.log" && fail "the second start ran on"
wait_for "$work/first.log" "params changed 2 beta"
echo "param 1" >&"$first_fd"
wait_for "$work/first.log" "param beta"
[ "$(grep -c "params changed" "$work/first.log")" = 1 ] || fail "OnParamsChange fired more than once"

echo exit >&"$first_fd"
wait_exit "$first_pid" || fail "first instance ended with an error"
echo shutdown >&"$server_fd"
wait_exit "$server_pid" || fail "server ended with an error"

# No server: the second start ends and the running instance is not told.
export HOSTCLIENT_USE_SERVER=0
start_client lonely one
wait_for "$work/lonely.log" "ready "
"$bin/hostclient" two >"$work/lonely2.log" 2>&1 </dev/null || fail "second start failed"
grep -q "ready" "$work/lonely2.log" && fail "the second start ran on"
echo "param 1" >&"$lonely_fd"
wait_for "$work/lonely.log" "param one"
grep -q "params changed" "$work/lonely.log" && fail "told without a server"
echo exit >&"$lonely_fd"
wait_exit "$lonely_pid" || fail "lonely instance ended with an error"

# MultiStart: both run.
export HOSTCLIENT_MULTISTART=1
start_client multi1 a
start_client multi2 b
wait_for "$work/multi1.log" "ready "
wait_for "$work/multi2.log" "ready "
echo exit >&"$multi1_fd"
echo exit >&"$multi2_fd"
wait_exit "$multi1_pid" || fail "multi1"
wait_exit "$multi2_pid" || fail "multi2"
echo "host single-instance test passed"
