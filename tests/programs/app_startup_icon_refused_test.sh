#!/usr/bin/env bash
# Under the stand-in host, a language file whose icon name climbs out of the work area with "../":
# the simulation neither asks the host for it, nor writes, nor reads outside the work area, and
# keeps its built-in icons. The host then says quit while the start-up's about box is still up:
# the simulation ends all the same.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
mkdir -p "$work/served" "$work/host/area"
printf '[AppIconName]=../planted.ico|$$\r\n[HomePageURL]=https://example.org/refused/|$$\r\n' \
  >"$work/served/varactor.itl"
# The file the name points to does exist, just outside the work area.
convert -size 32x32 xc:'#c02040' "$work/host/planted.ico"
cp "$work/host/planted.ico" "$work/planted.before"

mkfifo "$work/server.ctl"
"$bin/hostserver" --serve "$work/served" --work-area "$work/host/area" --run "$work/prog/varactor" \
  <"$work/server.ctl" >"$work/server.log" 2>&1 &
server_pid=$!
pids+=("$server_pid")
exec {control}>"$work/server.ctl"

about=$(wait_window About)
wait_state event startup
expect_state host 1
expect_state about.homeurl "https://example.org/refused/"
[ "$(state icon.main)" != "#c02040" ] || fail "the icon outside the work area was loaded"
[ "$(state icon.about)" != "#c02040" ] || fail "the icon outside the work area was loaded into the about box"
[ "$(state icon.application)" != "#c02040" ] || fail "the icon outside the work area became the application's"
grep -q "get-file ../planted.ico" "$work/server.log" && fail "the host was asked for the climbing name"
grep -qx "get-file varactor.itl found" "$work/server.log" || fail "the language file was not asked of the host"
[ -z "$(ls -A "$work/host/area")" ] || fail "something was written into the work area: $(ls -A "$work/host/area")"
cmp -s "$work/host/planted.ico" "$work/planted.before" || fail "the file outside the work area was overwritten"
[ "$(find "$work" -newer "$work/planted.before" -name '*.ico' | wc -l)" -eq 0 ] || fail "an icon file was written"
# The simulation's output goes where the host's goes.
grep -q 'icon name "../planted.ico" refused' "$work/server.log" || fail "the refusal was not logged"

# Quit while the about box is up.
xdotool search --onlyvisible --name '^About$' >/dev/null || fail "the about box is not up"
echo quit >&"$control"
wait_exit "$server_pid"
[ "$status" -eq 0 ] || fail "the host ended with $status"
grep -q "^unregister " "$work/server.log" || fail "the simulation did not unregister"
wait_gone About

echo "$test_name: passed"
