#!/usr/bin/env bash
# The window's language reaches what the lesson added: in German the charts' titles, the about
# box's notice and a render hold no English caption; in English they stay as they were, and the
# about box's lines are all filled.
source "$(dirname "$0")/app_startup_common.sh"

# The built program, which finds the installed languages beside its folder.
for language in english german; do
  start_program app "$bin" --language "$language"
  about=$(wait_window "$([ "$language" = german ] && echo Info || echo About)")
  close_box "$about"
  wait_state items.capacitance 100
  if [ "$language" = german ]; then
    expect_state chart.profile "Dotierungsprofil"
    expect_state chart.capacitance "Kapazität der Kapazitätsdiode"
    expect_state about.notice "Freie Software unter der MIT-Lizenz"
  else
    expect_state chart.profile "Impurity Concentration Profile"
    expect_state chart.capacitance "Capacitance of Varactor Diode"
    expect_state about.notice "Free software under the MIT licence"
  fi
  [ -n "$(state about.author)" ] || fail "the about box has an empty author line"
  kill "$app_pid"
  wait_exit "$app_pid"
done

# Renders follow the language as the window does.
"$bin/varactor" --render "$work/german.pdf" --language german 2>"$work/render.log" || fail "German render"
"$bin/varactor" --render "$work/english.pdf" --language english 2>>"$work/render.log" || fail "English render"
pdftotext "$work/german.pdf" "$work/german.txt"
pdftotext "$work/english.pdf" "$work/english.txt"
grep -q "Dotierungsprofil" "$work/german.txt" || fail "the German render has no German title: $(cat "$work/german.txt")"
! grep -q "Impurity\|Capacitance of" "$work/german.txt" || fail "the German render holds an English title"
grep -q "Impurity Concentration Profile" "$work/english.txt" || fail "the English render lost its title"
echo "$test_name: passed"
