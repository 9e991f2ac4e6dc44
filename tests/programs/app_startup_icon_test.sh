#!/usr/bin/env bash
# The icon that the language file names, on its own (no host): an icon file beside the program
# replaces the application's and both windows' icons; a name that climbs out of the program's
# folder, and a file that is no icon, leave the built-in icons, and the start goes on without a
# message.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
# Runs the program with a language file that names ICON_NAME, closes its about box when it is up
# and leaves the state of the start-up in $work/NAME.state.
run_with_icon() {
  local name=$1 icon_name=$2
  printf '[AppIconName]=%s|$$\r\n[HomePageURL]=https://example.org/icon/|$$\r\n' "$icon_name" >"$work/prog/varactor.itl"
  start_program "$name" "$work/prog"
  about=$(wait_window About)
  main=$(wait_window "Varactor Diode")
  wait_state event startup
  cp "$VARACTOR_STATE_FILE" "$work/$name.state"
}

# The built-in icons, for comparison: a language file that names no icon.
printf '[HomePageURL]=https://example.org/icon/|$$\r\n' >"$work/prog/varactor.itl"
start_program plain "$work/prog"
wait_state event startup
built_in=$(state icon.main)
kill "$plain_pid"
wait_exit "$plain_pid"

convert -size 32x32 xc:'#12c834' "$work/prog/lesson.ico"
run_with_icon named lesson.ico
expect_state icon.application "#12c834"
expect_state icon.main "#12c834"
expect_state icon.about "#12c834"
[ "$(icon_pixel "$main")" = "#12c834" ] || fail "the main window offers $(icon_pixel "$main"), not the icon file"
[ "$(icon_pixel "$about")" = "#12c834" ] || fail "the about box offers $(icon_pixel "$about"), not the icon file"
close_box "$about"
wait_state event curves
kill "$named_pid"
wait_exit "$named_pid"

# An icon beside the program's folder is out of reach of the name that points there.
convert -size 32x32 xc:'#c81234' "$work/outside.ico"
run_with_icon climbing ../outside.ico
expect_state icon.main "$built_in"
expect_state icon.application "$built_in"
expect_state icon.about "$built_in"
expect_state about.homeurl "https://example.org/icon/"
grep -q 'icon name "../outside.ico" refused' "$work/climbing.log" || fail "the refusal was not logged"
close_box "$about"
wait_state event curves
kill "$climbing_pid"
wait_exit "$climbing_pid"

# A file by that name that is no icon: the built-in icons, no message box, the start goes on.
echo "no icon in here" >"$work/prog/broken.ico"
run_with_icon broken broken.ico
expect_state icon.main "$built_in"
expect_state icon.about "$built_in"
[ "$(xdotool search --onlyvisible --name '^varactor$' 2>/dev/null | wc -l)" -eq 0 ] || fail "a message box came up"
close_box "$about"
wait_state event curves
kill "$broken_pid"
wait_exit "$broken_pid"

echo "$test_name: passed"
