# Shared by the start-up's whole-program tests (sourced, not run on its own): the real simulation
# under Xvfb, in a folder of its own, with its own runtime directory and registry, telling its
# state through VARACTOR_STATE_FILE. A test that needs another screen sets app_screen before.
set -euo pipefail

# -noreset: the server would otherwise reset when its last client leaves, and refuse the next
# program that connects while it does.
if [ -z "${APP_STARTUP_IN_XVFB:-}" ]; then
  exec env APP_STARTUP_IN_XVFB=1 xvfb-run -a -s "-noreset -screen 0 ${app_screen:-1280x1024x24}" bash "$0" "$@"
fi

bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
source_dir=${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}
artefacts=${VARACTOR_ARTEFACTS:-$PWD/artefacts}
mkdir -p "$artefacts"
test_name=$(basename "$0" .sh)
work=$(mktemp -d "/tmp/$test_name.XXXXXX")
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
export VARACTOR_STATE_FILE=$work/state.txt
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "$test_name: FAIL: $*" >&2
  [ -f "$VARACTOR_STATE_FILE" ] && { echo "--- state" >&2; cat "$VARACTOR_STATE_FILE" >&2; }
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}

# make_program DIR: the simulation alone in DIR (no language file beside it).
make_program() {
  mkdir -p "$1"
  cp "$bin/varactor" "$1/varactor"
}

# start_program NAME DIR ARGS...: starts DIR/varactor with ARGS; its pid goes into $NAME_pid.
start_program() {
  local name=$1 dir=$2
  shift 2
  rm -f "$VARACTOR_STATE_FILE"
  "$dir/varactor" "$@" >"$work/$name.log" 2>&1 &
  pids+=($!)
  eval "${name}_pid=$!"
}

# state KEY: the value of KEY in the state file (empty when it is not there).
state() {
  sed -n "s/^$1=//p" "$VARACTOR_STATE_FILE" 2>/dev/null | head -n 1
}

# wait_state KEY VALUE: waits up to fifteen seconds for the state file to hold KEY=VALUE.
wait_state() {
  for _ in $(seq 150); do
    [ "$(state "$1")" = "$2" ] && return 0
    sleep 0.1
  done
  fail "the state never showed $1=$2"
}

# expect_state KEY VALUE: the state file holds KEY=VALUE now.
expect_state() {
  local value
  value=$(state "$1")
  [ "$value" = "$2" ] || fail "$1 is \"$value\", not \"$2\""
}

# wait_window TITLE: waits up to fifteen seconds for a visible window with exactly this title;
# prints its id.
wait_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  fail "no window \"$1\" appeared"
}

# wait_gone TITLE: waits up to ten seconds until no visible window has this title.
wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the window \"$1\" stayed"
}

# wait_exit PID: waits up to ten seconds for the process to end; its exit code goes into $status.
wait_exit() {
  for _ in $(seq 100); do
    if ! kill -0 "$1" 2>/dev/null; then
      status=0
      wait "$1" 2>/dev/null || status=$?
      return 0
    fi
    sleep 0.1
  done
  fail "process $1 did not end"
}

# close_box WINDOW: presses Return in a dialog (its default button closes it).
close_box() {
  xdotool windowfocus --sync "$1"
  xdotool key Return
}

# shot NAME: a screenshot of the whole screen into the artefacts, once everything has been drawn.
shot() {
  sleep 0.3
  import -window root "$artefacts/$1.png"
}

# shot_window NAME WINDOW: a screenshot of one window into the artefacts.
shot_window() {
  sleep 0.3
  import -window "$2" "$artefacts/$1.png"
}

# icon_pixel WINDOW: the first pixel of the icon the window offers the window manager, as
# #rrggbb.
icon_pixel() {
  local argb
  argb=$(xprop -id "$1" 32c _NET_WM_ICON | sed -n 's/.*= *[0-9]*, *[0-9]*, *\([0-9]*\).*/\1/p')
  [ -n "$argb" ] || { echo none; return; }
  printf '#%06x\n' $((argb & 0xffffff))
}

# stacked_above UPPER LOWER: whether window UPPER lies above window LOWER on the screen.
stacked_above() {
  local order
  order=$(xwininfo -root -children | awk '/^ +0x/ { print $1 }')
  local upper lower
  upper=$(printf '0x%x' "$1")
  lower=$(printf '0x%x' "$2")
  # xwininfo lists the top window first.
  [ "$(echo "$order" | grep -n -x "$upper" | cut -d: -f1)" -lt "$(echo "$order" | grep -n -x "$lower" | cut -d: -f1)" ]
}
