#!/usr/bin/env bash
# The stand-in host server out of file descriptors: more idle connections than it may open. It
# must not spin (its CPU time stays near idle), must say so once, and must still answer a normal
# request, for which it closes connections that have long been silent.
source "$(dirname "$0")/host_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

# cpu_ticks PID: user and system time of a process, in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

mkfifo "$work/server.ctl"
(ulimit -n 64; exec "$bin/hostserver" --no-registry --set V1=value-1 <"$work/server.ctl" >"$work/server.log" 2>&1) &
server_pid=$!
pids+=($server_pid)
exec {server_fd}>"$work/server.ctl"
wait_for "$work/server.log" "handle "

$peer idle --count 300 >"$work/idle.log" 2>&1 &
pids+=($!)
wait_for "$work/idle.log" "opened "
sleep 0.5
before=$(cpu_ticks "$server_pid")
sleep 2
spent=$(( $(cpu_ticks "$server_pid") - before ))
ticks=$(getconf CLK_TCK)
[ "$spent" -lt $(( ticks / 5 )) ] || fail "the server spent $spent ticks in 2 s while out of descriptors"
grep -q "out of file descriptors" "$work/server.log" || fail "the exhaustion was not reported"
[ "$(grep -c "out of file descriptors" "$work/server.log")" = 1 ] || fail "the exhaustion was reported more than once"
[ "$($peer ask V1 --timeout 15)" = "answer value-1" ] || fail "no answer while idle connections hold the descriptors"
kill -0 "$server_pid" 2>/dev/null || fail "the server died"
echo "host descriptors test passed"
