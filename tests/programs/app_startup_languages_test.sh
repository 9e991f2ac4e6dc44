#!/usr/bin/env bash
# The simulation on its own with the shipped language files beside it: English, then German with
# its language written "LgGerman". Both windows show the dictionary's texts, and the about box
# the description and web-site line of its language.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
cp "$source_dir/resources/english.itl" "$work/prog/varactor.itl"
start_program english "$work/prog"
about=$(wait_window About)
main=$(wait_window "Varactor Diode")
wait_state event startup
expect_state main.exit Exit
expect_state about.homepage "Home page of the simulation"
expect_state about.homeurl "https://www.example.org/varactor/"
expect_state about.website "More information can be found at the following Web sites:"
case "$(state main.info)" in
  "Move the slider to grade the doping profile "*) ;;
  *) fail "not the English information text: $(state main.info)" ;;
esac
case "$(state about.description)" in
  "This program calculates the characteristic curve of a varactor diode. "*) ;;
  *) fail "not the English description: $(state about.description)" ;;
esac
shot app_startup_about_english
shot_window app_startup_about_box_english "$about"
close_box "$about"
wait_state event curves
shot app_startup_main_english
kill "$english_pid"
wait_exit "$english_pid"

sed 's/\[\$dlglanguage\$\]=lggerman|/[$dlglanguage$]=LgGerman|/' "$source_dir/resources/lggerman.itl" >"$work/prog/varactor.itl"
grep -q 'LgGerman' "$work/prog/varactor.itl" || fail "the German language file has no language entry"

start_program sim "$work/prog"
about=$(wait_window Info)
main=$(wait_window "Kapazitätsdiode")
wait_state event startup
expect_state main.title "Kapazitätsdiode"
expect_state main.exit Beenden
expect_state main.about Info
expect_state about.title Info
expect_state about.name Varactor
expect_state about.version "Version 1.0"
expect_state about.homepage "Homepage der Simulation"
expect_state about.homeurl "https://www.example.org/varactor/"
expect_state about.website "Mehr Informationen finden Sie auf folgenden Webseiten:"
description=$(state about.description)
case "$description" in
  "Dieses Programm zur Berechnung der Kennlinie einer Varaktordiode wurde "*" entwickelt und wird in verschiedenen interaktiven elektronischen Lehrbüchern eingesetzt.") ;;
  *) fail "not the German description: $description" ;;
esac
shot app_startup_about_german
shot_window app_startup_about_box_german "$about"

close_box "$about"
wait_gone Info
wait_state event curves
shot app_startup_main_german
# The slider redraws at once. A click on its thumb (8, 18, 353 x 24 in the top panel, centred at
# position 0) gives it the keyboard.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowfocus --sync "$main"
xdotool mousemove --sync $((X + 8 + 176)) $((Y + 18 + 16)) click 1
xdotool key End
wait_state event slider
expect_state slider 1000
expect_state items.capacitance 100

echo "$test_name: passed"
