#!/usr/bin/env bash
# Which language file the installed program's window reads: the file beside the program, then the
# user's own file, then --language or the desktop's locale, else English; an unknown language is
# refused before any window; refreshing the build's languages leaves the user's files alone.
source "$(dirname "$0")/install_common.sh"

install_into "$work/dest"
program=$work/dest/usr/bin/varactor
english="Varactor Diode"
german="Kapazitätsdiode"

# title [VAR=VALUE...] -- ARGS...: the window's title with that locale and those arguments.
title() {
  local settings=()
  while [ "$1" != -- ]; do settings+=("$1"); shift; done
  shift
  window_title env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C.UTF-8 "${settings[@]}" "$program" "$@"
}

[ "$(title -- )" = "$english" ] || fail "no English without a locale"
[ "$(title LANG=de_DE.UTF-8 -- )" = "$german" ] || fail "LANG=de_DE.UTF-8 is not German"
[ "$(title LANGUAGE=fr:de LANG=en_US.UTF-8 -- )" = "$german" ] || fail "LANGUAGE=fr:de is not German"
[ "$(title LC_ALL=en_GB.UTF-8 LANG=de_DE.UTF-8 -- )" = "$english" ] || fail "LC_ALL does not outrank LANG"
[ "$(title LC_MESSAGES=de_AT.UTF-8 -- )" = "$german" ] || fail "LC_MESSAGES=de_AT is not German"
[ "$(title -- --language german)" = "$german" ] || fail "--language german is not German"
[ "$(title LANG=de_DE.UTF-8 -- --language=English)" = "$english" ] || fail "--language English does not outrank LANG"
printf '[Varactor Diode]=From a chosen file|$$\r\n' >"$work/chosen.itl"
[ "$(title -- --language "$work/chosen.itl")" = "From a chosen file" ] || fail "--language FILE is not read"

# The user's own file outranks --language and the locale.
mkdir -p "$XDG_CONFIG_HOME/varactor"
printf '[Varactor Diode]=The user'"'"'s choice|$$\r\n' >"$XDG_CONFIG_HOME/varactor/varactor.itl"
[ "$(title LANG=de_DE.UTF-8 -- --language german)" = "The user's choice" ] || fail "the user's file is not read first"

# The file beside the program outranks everything.
printf '[Varactor Diode]=Beside the program|$$\r\n' >"$work/dest/usr/bin/varactor.itl"
[ "$(title LANG=de_DE.UTF-8 -- --language german)" = "Beside the program" ] || fail "the file beside the program is not read first"
rm "$work/dest/usr/bin/varactor.itl"

# An unknown language: one clear line and exit code 2, before any window is tried.
status=0
env -u DISPLAY "$program" --language klingon >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] || fail "--language klingon exited with $status"
[ "$(cat "$work/err")" = "varactor: unknown language 'klingon': installed are english, german, or give the path of an itl file" ] ||
  fail "--language klingon said: $(cat "$work/err")"
status=0
env -u DISPLAY "$program" --language "$work/none.itl" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -eq 2 ] && grep -q "none.itl" "$work/err" || fail "a missing --language file: $status $(cat "$work/err")"

# The build lays the languages into its data folder and never beside the program: the step it
# runs after each link leaves a user's files beside the program and in the config folder alone.
[ -s "$build/share/varactor/english.itl" ] && [ -s "$build/share/varactor/german.itl" ] ||
  fail "the build tree has no data folder with both languages"
mkdir -p "$work/rebuild/bin"
cp "$XDG_CONFIG_HOME/varactor/varactor.itl" "$work/rebuild/bin/varactor.itl"
before=$(cat "$work/rebuild/bin/varactor.itl" "$XDG_CONFIG_HOME/varactor/varactor.itl" | md5sum)
for _ in 1 2; do
  cmake -DSRC="$source_dir/resources" -DDST="$work/rebuild/bin/../share/varactor" \
        -P "$source_dir/resources/install_language_files.cmake" || fail "the build's language step failed"
done
[ "$(cat "$work/rebuild/bin/varactor.itl" "$XDG_CONFIG_HOME/varactor/varactor.itl" | md5sum)" = "$before" ] ||
  fail "the build's language step changed a user's file"
[ "$(ls "$work/rebuild/bin")" = varactor.itl ] || fail "the build's language step wrote beside the program"
cmp -s "$work/rebuild/share/varactor/german.itl" "$source_dir/resources/lggerman.itl" || fail "German was not laid out"

echo "$test_name: passed"
