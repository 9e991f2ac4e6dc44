#!/usr/bin/env bash
# The command line without a usable display: DISPLAY unset, empty, or naming a display with no
# server. --help, --version, --render and --export-csv work; the window mode ends with one line
# and exit code 1; a mistyped option names the nearest known one (exit 2); the host's arguments
# pass; the demos answer --help and --version without a window.
set -euo pipefail

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "app_cli_display_test: $*" >&2
  exit 1
}

# A display number with no server. xvfb-run -a hands out numbers from 99 upwards, to this test's
# neighbours too, so a number far above those stays free while the test runs.
dead=4099
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do dead=$((dead + 1)); done

# run_with MODE PROGRAM ARGS...: MODE is unset, empty or dead; the exit code goes into $status.
run_with() {
  local mode=$1 program=$2
  shift 2
  local display=()
  case $mode in
    unset) display=(-u DISPLAY) ;;
    empty) display=(DISPLAY=) ;;
    dead) display=(DISPLAY=":$dead") ;;
  esac
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${display[@]}" "$bin/$program" "$@" \
    >"$work/stdout" 2>"$work/stderr" || status=$?
}

for mode in unset empty dead; do
  run_with "$mode" varactor --help
  [ "$status" -eq 0 ] || fail "--help with DISPLAY $mode exited with $status: $(cat "$work/stderr")"
  grep -q -- '--language' "$work/stdout" || fail "--help with DISPLAY $mode printed no options"

  run_with "$mode" varactor --version
  [ "$status" -eq 0 ] && [ "$(cat "$work/stdout")" = "varactor 1.0" ] || fail "--version with DISPLAY $mode"

  rm -f "$work/charts.png"
  run_with "$mode" varactor --render "$work/charts.png" --position 300 --size 400x200
  [ "$status" -eq 0 ] || fail "--render with DISPLAY $mode exited with $status: $(cat "$work/stderr")"
  [ "$(identify -format '%wx%h' "$work/charts.png")" = "400x200" ] || fail "--render with DISPLAY $mode drew no 400x200 image"

  rm -f "$work/curves.csv"
  run_with "$mode" varactor --export-csv "$work/curves.csv"
  [ "$status" -eq 0 ] && [ "$(wc -l <"$work/curves.csv")" -eq 301 ] || fail "--export-csv with DISPLAY $mode"

  # The window mode: one clear line, exit code 1, nothing on standard output.
  run_with "$mode" varactor
  [ "$status" -eq 1 ] || fail "the window mode with DISPLAY $mode exited with $status"
  [ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "the window mode with DISPLAY $mode said: $(cat "$work/stderr")"
  grep -q '^varactor: cannot open a window: no usable display' "$work/stderr" ||
    fail "the window mode with DISPLAY $mode said: $(cat "$work/stderr")"
  [ ! -s "$work/stdout" ] || fail "the window mode with DISPLAY $mode wrote to standard output"

  for demo in chartdemo scaledemo; do
    run_with "$mode" "$demo" --help
    [ "$status" -eq 0 ] && grep -q "^Usage: $demo" "$work/stdout" || fail "$demo --help with DISPLAY $mode"
    run_with "$mode" "$demo" --version
    [ "$status" -eq 0 ] && [ "$(cat "$work/stdout")" = "$demo 1.0" ] || fail "$demo --version with DISPLAY $mode"
    run_with "$mode" "$demo"
    [ "$status" -eq 1 ] && [ "$(wc -l <"$work/stderr")" -eq 1 ] &&
      grep -q "^$demo: cannot open a window" "$work/stderr" || fail "$demo without a display: $(cat "$work/stderr")"
  done
done
grep -q "(DISPLAY=:$dead)" "$work/stderr" || fail "the line does not name the display: $(cat "$work/stderr")"

# A mistyped option: the nearest known one, exit code 2, no window tried, no file written.
run_with dead varactor --rendr "$work/typo.png"
[ "$status" -eq 2 ] || fail "--rendr exited with $status"
[ "$(cat "$work/stderr")" = "varactor: unknown option '--rendr'; did you mean '--render'? (see varactor --help)" ] ||
  fail "--rendr said: $(cat "$work/stderr")"
[ ! -e "$work/typo.png" ] || fail "--rendr wrote a file"
run_with unset varactor --export-csv "$work/a.csv" --positon 10
[ "$status" -eq 2 ] && grep -q "'--position'" "$work/stderr" || fail "--positon: $(cat "$work/stderr")"
run_with unset chartdemo --screenshto x.png
[ "$status" -eq 2 ] && grep -q "'--screenshot'" "$work/stderr" || fail "chartdemo --screenshto: $(cat "$work/stderr")"

# The host's arguments pass untouched: what follows one beginning with "/" is the host's.
run_with dead varactor /serverhandle=4711 /lesson --host-option --render "$work/host.png" -- --more
[ "$status" -eq 0 ] && [ -s "$work/host.png" ] || fail "host arguments were not left alone: $(cat "$work/stderr")"

echo "app_cli_display_test: passed"
