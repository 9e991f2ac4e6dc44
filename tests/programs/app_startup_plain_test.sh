#!/usr/bin/env bash
# The simulation on its own with no language file anywhere: the captions show their keys, the
# about box comes up filled with the English texts and "HomePageURL" as its address, the curves
# come when it is closed. Then a start that names a host which is not running: the message, and
# the end.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
start_program sim "$work/prog"
about=$(wait_window About)
main=$(wait_window "Varactor Diode")
wait_state event startup
expect_state main.title "Varactor Diode"
expect_state main.exit Exit
expect_state main.about About
expect_state main.info MMInfo
expect_state about.title About
expect_state about.name Varactor
expect_state about.version "Version 1.0"
expect_state about.homepage HomePage
expect_state about.homeurl HomePageURL
expect_state about.ok OK
expect_state about.website "More information can be found at the following Web sites:"
description=$(state about.description)
case "$description" in
  "This program calculates the characteristic curve of a varactor diode. "*" It is used in various electronic textbooks.") ;;
  *) fail "not the English description: $description" ;;
esac
expect_state host 0
expect_state items.profile 0
# The built-in icons: the same on the application and both windows, and what the windows offer.
built_in=$(state icon.main)
[ "$built_in" != none ] || fail "no built-in icon"
expect_state icon.application "$built_in"
expect_state icon.about "$built_in"
[ "$(icon_pixel "$main")" != none ] || fail "the main window offers no icon"
shot app_startup_about_keys

close_box "$about"
wait_gone About
wait_state event curves
expect_state items.profile 300
expect_state items.capacitance 100
shot app_startup_main_keys
kill "$sim_pid"
wait_exit "$sim_pid"

# Started as if by a host that has gone: the program says so and ends.
start_program gone "$work/prog" /serverhandle=deadbeef
box=$(wait_window varactor)
xdotool search --onlyvisible --name "^About$" >/dev/null 2>&1 && fail "the about box came up without the host"
shot app_startup_host_gone
close_box "$box"
wait_exit "$gone_pid"
[ "$status" -eq 1 ] || fail "the start without its host ended with $status"
[ ! -f "$VARACTOR_STATE_FILE" ] || fail "the window started without its host"

echo "$test_name: passed"
