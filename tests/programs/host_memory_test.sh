#!/usr/bin/env bash
# The stand-in host server against peers that announce the largest frames: announcing costs
# nothing, and what they really send is held only up to the cap on buffered messages (128 MiB),
# however much they send. Afterwards the server answers as before.
source "$(dirname "$0")/host_common.sh"
peer="python3 $(dirname "$0")/lexivo_peer.py"

# memory_kib PID FIELD: VmRSS or VmSize of a process, in KiB.
memory_kib() {
  awk -v field="$2:" '$1 == field { print $2 }' "/proc/$1/status"
}

start_server server --no-registry --set V1=value-1
size_before=$(memory_kib "$server_pid" VmSize)
$peer huge --count 40 --send-mib 0 >"$work/announce.log" 2>&1 &
announce_pid=$!
pids+=($announce_pid)
wait_for "$work/announce.log" "sent_mib "
sleep 0.5
grown_kib=$(( $(memory_kib "$server_pid" VmSize) - size_before ))
[ "$grown_kib" -lt $(( 32 * 1024 )) ] || fail "announcing 40 frames of 64 MiB cost $grown_kib KiB"
kill "$announce_pid"

rss_before=$(memory_kib "$server_pid" VmRSS)
$peer huge --count 40 --send-mib 6 --seconds 3 >"$work/huge.log" 2>&1 &
huge_pid=$!
pids+=($huge_pid)
wait_for "$work/huge.log" "sent_mib "
sleep 0.5
grown_kib=$(( $(memory_kib "$server_pid" VmRSS) - rss_before ))
echo "240 MiB sent ($(cat "$work/huge.log")) grew the server by $grown_kib KiB"
[ "$grown_kib" -lt $(( 150 * 1024 )) ] || fail "240 MiB sent grew the server by $grown_kib KiB"
kill "$huge_pid"
[ "$($peer ask V1)" = "answer value-1" ] || fail "the server does not answer afterwards"
kill -0 "$server_pid" 2>/dev/null || fail "the server died"
echo "host memory test passed"
