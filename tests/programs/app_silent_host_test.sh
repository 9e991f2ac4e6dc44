#!/usr/bin/env bash
# A host that is alive but does not answer (a stopped server) holds the simulation up only for a
# while: at start-up the simulation says "host not responding" once the stall limit has passed,
# without waiting for the host a second time, and ends; at exit it ends all the same. A stall
# limit that is no positive number of milliseconds is refused with a warning. Nothing is left in
# the runtime directory by a simulation ended by SIGTERM, SIGHUP or another ending signal (the
# host hears it leave), nor by a second start that hands its arguments over, nor by the instance
# mutex.
source "$(dirname "$0")/app_startup_common.sh"

# files_of_runtime: the sockets and files in the runtime directory, one per line.
files_of_runtime() {
  find "$LEXIVO_RUNTIME_DIR" -mindepth 1 \( -type f -o -type s \) -printf '%f\n' 2>/dev/null | sort
}

stopped=
cleanup_server() { [ -n "$stopped" ] && kill -CONT "$stopped" 2>/dev/null; true; }
trap 'cleanup_server; cleanup' EXIT

make_program "$work/prog"

# SIGTERM ends the simulation through its normal exit, while the about box is open.
start_program sim "$work/prog"
about=$(wait_window About)
wait_state event startup
[ -n "$(files_of_runtime)" ] || fail "the simulation registered nothing"
kill -TERM "$sim_pid"
wait_exit "$sim_pid"
[ "$status" -eq 143 ] || fail "SIGTERM ended the simulation with $status"
[ -z "$(files_of_runtime)" ] || fail "a simulation ended by SIGTERM left: $(files_of_runtime)"

# A second start hands its arguments over and leaves nothing of its own; SIGINT ends the first.
start_program first "$work/prog"
about=$(wait_window About)
wait_state event startup
before=$(files_of_runtime)
"$work/prog/varactor" second.dat >"$work/second.log" 2>&1 &
second_pid=$!
wait_exit "$second_pid"
[ "$status" -eq 0 ] || fail "the second start ended with $status"
[ "$(files_of_runtime)" = "$before" ] || fail "the second start left: $(comm -13 <(echo "$before") <(files_of_runtime))"
kill -INT "$first_pid"
wait_exit "$first_pid"
[ "$status" -eq 130 ] || fail "SIGINT ended the simulation with $status"
[ -z "$(files_of_runtime)" ] || fail "the instances left: $(files_of_runtime)"

# start_host: a host server whose handle text goes into $handle.
start_host() {
  rm -f "$work/server.ctl"
  mkfifo "$work/server.ctl"
  "$bin/hostserver" --serve "$work/prog" --work-area "$work/prog" <"$work/server.ctl" >"$work/server.log" 2>&1 &
  server_pid=$!
  pids+=("$server_pid")
  exec {control}>"$work/server.ctl"
  for _ in $(seq 100); do
    handle=$(sed -n 's/^handle //p' "$work/server.log")
    [ -n "$handle" ] && return 0
    sleep 0.1
  done
  fail "the host server did not start"
}

# A stopped host at start-up: with the limit cut to three seconds for the test, the simulation
# tells why once that limit has passed (one wait: not again for the language file, not again for
# leaving), and ends at once when the box is closed.
start_host
kill -STOP "$server_pid"
stopped=$server_pid
started=$(date +%s%N)
LEXIVO_STALL_LIMIT_MS=3000 start_program hung "$work/prog" "/serverhandle=$handle"
for _ in $(seq 300); do
  grep -q "host not responding" "$work/hung.log" 2>/dev/null && break
  sleep 0.05
done
said=$((($(date +%s%N) - started) / 1000000))
grep -qx "varactor: host not responding" "$work/hung.log" || fail "the start-up did not say the host is not responding"
[ "$said" -ge 2900 ] && [ "$said" -le 4000 ] || fail "\"host not responding\" came after $said ms, not within the limit of 3000 ms and a second"
box=$(wait_window varactor)
shot app_silent_host_start
closed=$(date +%s%N)
close_box "$box"
wait_exit "$hung_pid"
[ "$status" -eq 1 ] || fail "the start-up on a stopped host ended with $status"
left=$((($(date +%s%N) - closed) / 1000000))
[ "$left" -le 2000 ] || fail "the simulation took $left ms to end after the box: it waited for the host again"
# SIGTERM while the start-up waits on the stopped host (with the real limit): the wait ends at
# once, the simulation leaves without a box and without files.
before=$(files_of_runtime)
start_program ended "$work/prog" "/serverhandle=$handle"
sleep 1
started=$(date +%s)
kill -TERM "$ended_pid"
wait_exit "$ended_pid"
[ "$status" -eq 143 ] || fail "SIGTERM during the start-up ended it with $status"
[ $(($(date +%s) - started)) -le 5 ] || fail "SIGTERM during the start-up took $(($(date +%s) - started)) s"
[ "$(files_of_runtime)" = "$before" ] || fail "SIGTERM during the start-up left: $(files_of_runtime)"
! grep -q "not responding" "$work/ended.log" || fail "the ended start-up still complained"
kill -CONT "$server_pid"
stopped=
kill "$server_pid"
wait "$server_pid" 2>/dev/null || true
exec {control}>&-

# A value of LEXIVO_STALL_LIMIT_MS that is no positive whole number of milliseconds (nor
# "none") is refused with a warning that names the default, which is used.
for value in 0 -1 abc 1500ms 2147483648; do
  LEXIVO_STALL_LIMIT_MS=$value start_program limit "$work/prog"
  about=$(wait_window About)
  grep -qxF "varactor: LEXIVO_STALL_LIMIT_MS='$value' is not a positive whole number of milliseconds or 'none'; the default 10000 is used" \
    "$work/limit.log" || fail "LEXIVO_STALL_LIMIT_MS=$value was taken without a word: $(cat "$work/limit.log")"
  kill -TERM "$limit_pid"
  wait_exit "$limit_pid"
done
LEXIVO_STALL_LIMIT_MS=none start_program limit "$work/prog"
about=$(wait_window About)
kill -TERM "$limit_pid"
wait_exit "$limit_pid"
! grep -q LEXIVO_STALL_LIMIT_MS "$work/limit.log" || fail "LEXIVO_STALL_LIMIT_MS=none was refused: $(cat "$work/limit.log")"

# SIGHUP (the terminal closed) and the other ending signals end a session under a host as SIGTERM
# does: exit 128 + N, the host hears the unregistration, nothing is left in the runtime directory.
start_host
server_files=$(files_of_runtime)
for signal in HUP QUIT USR1 ALRM; do
  start_program hup "$work/prog" "/serverhandle=$handle"
  about=$(wait_window About)
  wait_state event startup
  unregistered=$(grep -c "^unregister " "$work/server.log" || true)
  kill -"$signal" "$hup_pid"
  wait_exit "$hup_pid"
  [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal ended the hosted simulation with $status"
  for _ in $(seq 50); do
    [ "$(grep -c "^unregister " "$work/server.log" || true)" -gt "$unregistered" ] && break
    sleep 0.1
  done
  [ "$(grep -c "^unregister " "$work/server.log" || true)" -gt "$unregistered" ] || fail "SIG$signal: the host heard no unregistration"
  [ "$(files_of_runtime)" = "$server_files" ] || fail "SIG$signal left: $(comm -13 <(echo "$server_files") <(files_of_runtime))"
done
kill "$server_pid"
wait "$server_pid" 2>/dev/null || true
exec {control}>&-

# A host that stops while the simulation runs, and the real time limit: the exit by the exit button
# does not hang, and the simulation's files go.
start_host
start_program hosted "$work/prog" "/serverhandle=$handle"
about=$(wait_window About)
wait_state event startup
grep -q "^register " "$work/server.log" || fail "the simulation did not register"
server_files=$(files_of_runtime | grep -c . || true)
close_box "$about"
wait_state event curves
kill -STOP "$server_pid"
stopped=$server_pid
started=$(date +%s)
# The exit button.
eval "$(xdotool getwindowgeometry --shell "$(wait_window "Varactor Diode")")"
xdotool mousemove --sync $((X + 564 + 50)) $((Y + 6 + 19)) click 1
for _ in $(seq 300); do kill -0 "$hosted_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$hosted_pid" 2>/dev/null && fail "the simulation hangs at exit on a stopped host"
took=$(($(date +%s) - started))
hosted_status=0
wait "$hosted_pid" || hosted_status=$?
[ "$hosted_status" -eq 0 ] || fail "the exit on a stopped host ended with $hosted_status"
# The unregistration waits the real limit, 10 s without progress, and then goes on.
[ "$took" -ge 9 ] || fail "the exit took $took s: the unregistration was not waited for"
kill -CONT "$server_pid"
stopped=
[ "$(files_of_runtime | grep -c '\.sock$')" -eq 1 ] || fail "the simulation left its socket: $(files_of_runtime)"
echo "$test_name: passed (exit on a stopped host after $took s; $server_files files while both ran)"
