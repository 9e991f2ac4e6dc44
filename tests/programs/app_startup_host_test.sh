#!/usr/bin/env bash
# The simulation started by the stand-in host server: it registers, takes the language file and
# the icon the host serves (the icon lands in the host's work area), a second start brings it to
# the front with its state unchanged and ends, and it quits when the host says so.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
mkdir -p "$work/served" "$work/area"
# A language file beside the program that must not be used under the host.
printf '[Varactor Diode]=Beside the program|$$\r\n' >"$work/prog/varactor.itl"
cp "$source_dir/resources/lggerman.itl" "$work/served/varactor.itl"
printf '[AppIconName]=hosted.ico|$$\r\n' >>"$work/served/varactor.itl"
convert -size 32x32 xc:'#20a060' "$work/served/hosted.ico"

mkfifo "$work/server.ctl"
"$bin/hostserver" --serve "$work/served" --work-area "$work/area" --run "$work/prog/varactor" lesson.dat \
  <"$work/server.ctl" >"$work/server.log" 2>&1 &
server_pid=$!
pids+=("$server_pid")
exec {control}>"$work/server.ctl"

# wait_log TEXT: waits up to fifteen seconds for a line of the server's log that holds TEXT.
wait_log() {
  for _ in $(seq 150); do
    grep -qF -- "$1" "$work/server.log" && return 0
    sleep 0.1
  done
  fail "the server never logged \"$1\""
}

wait_log "running "
sim_pid=$(sed -n 's/^running //p' "$work/server.log")
about=$(wait_window Info)
main=$(wait_window "Kapazitätsdiode")
wait_state event startup
wait_log "register "
grep -q "^register [0-9]* varactor$" "$work/server.log" || fail "the simulation did not register under its name"
grep -qx "get-file varactor.itl found" "$work/server.log" || fail "the language file was not asked of the host"
grep -qx "get-file hosted.ico found" "$work/server.log" || fail "the icon was not asked of the host"
cmp -s "$work/served/hosted.ico" "$work/area/hosted.ico" || fail "the icon did not land in the work area"
expect_state host 1
expect_state params lesson.dat
expect_state main.title "Kapazitätsdiode"
expect_state about.website "Mehr Informationen finden Sie auf folgenden Webseiten:"
expect_state icon.application "#20a060"
expect_state icon.main "#20a060"
expect_state icon.about "#20a060"
[ "$(icon_pixel "$main")" = "#20a060" ] || fail "the main window offers $(icon_pixel "$main"), not the host's icon"
shot app_startup_host_about

close_box "$about"
wait_state event curves
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowfocus --sync "$main"
xdotool mousemove --sync $((X + 8 + 176)) $((Y + 18 + 16)) click 1
xdotool key End
wait_state event slider
expect_state slider 1000

# Another window covers the simulation; a second start of the program brings the first to the
# front and ends.
xmessage -geometry 1280x1024+0+0 "covering window" &
pids+=($!)
cover=$(wait_window xmessage)
stacked_above "$cover" "$main" || fail "the covering window is not on top"
state_before=$(grep -v -e '^event=' -e '^events=' -e '^params=' "$VARACTOR_STATE_FILE")
"$work/prog/varactor" second.dat >"$work/second.log" 2>&1 &
second_pid=$!
wait_exit "$second_pid"
[ "$status" -eq 0 ] || fail "the second start ended with $status"
wait_state event params
expect_state params second.dat
[ "$(grep -v -e '^event=' -e '^events=' -e '^params=' "$VARACTOR_STATE_FILE")" = "$state_before" ] ||
  fail "the second start changed the simulation's state"
for _ in $(seq 50); do
  stacked_above "$main" "$cover" && break
  sleep 0.1
done
stacked_above "$main" "$cover" || fail "the simulation did not come to the front"
[ "$(xdotool getwindowfocus)" = "$main" ] || fail "the simulation did not get the keyboard"
shot app_startup_host_front
[ "$(grep -c '^register ' "$work/server.log")" -eq 1 ] || fail "the second start registered with the host"
kill -0 "$sim_pid" || fail "the simulation ended"

# The host says quit: the simulation unregisters and ends, and the host with it.
echo quit >&"$control"
wait_exit "$server_pid"
[ "$status" -eq 0 ] || fail "the host ended with $status"
# The simulation ends on its own after unregistering; it is no child of this script, so give it
# a moment and count a zombie as ended.
for _ in $(seq 50); do
  state=$(ps -o stat= -p "$sim_pid" 2>/dev/null || true)
  [ -z "$state" ] || [ "${state#Z}" != "$state" ] && break
  sleep 0.1
done
state=$(ps -o stat= -p "$sim_pid" 2>/dev/null || true)
[ -z "$state" ] || [ "${state#Z}" != "$state" ] || fail "the simulation did not quit"
grep -q "^unregister " "$work/server.log" || fail "the simulation did not unregister"

echo "$test_name: passed"
