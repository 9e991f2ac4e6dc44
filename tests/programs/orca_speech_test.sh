#!/usr/bin/env bash
# What a blind student hears: the simulation under Orca, the screen reader, in English and German.
# The program and Orca run under Xvfb with a window manager and at-spi2-core's bus in a D-Bus
# session of their own; Orca speaks through speech-dispatcher into a PulseAudio sink that plays
# nothing, and every utterance is read back from Orca's debug log ("SPEECH OUTPUT" lines).
set -euo pipefail

test_name=orca_speech_test
if [ -z "${ORCA_TEST_IN_XVFB:-}" ]; then
  for tool in xvfb-run dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "$test_name: SKIP: $tool is missing"; exit 0; }
  done
  exec env ORCA_TEST_IN_XVFB=1 xvfb-run -a -s "-noreset -screen 0 1600x1000x24" dbus-run-session -- bash "$0" "$@"
fi

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}
skip() {
  echo "$test_name: SKIP: $*"
  exit 0
}

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
artefacts="${VARACTOR_ARTEFACTS:-$PWD/artefacts}"
mkdir -p "$artefacts"
here=$(cd "$(dirname "$0")" && pwd)

# Orca and its speech are tools of the machine, not of the program: without them there is nothing
# to hear, and the test says so instead of passing.
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "at-spi2-core's $launcher is missing (Debian package at-spi2-core)"
for tool in orca speech-dispatcher pulseaudio xdotool openbox; do
  command -v "$tool" >/dev/null || skip "$tool is missing (scripts/install_deps.sh all installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (Debian package python3-pyatspi)"

work=$(mktemp -d /tmp/orca_speech_test.XXXXXX)
# Orca, speech-dispatcher and PulseAudio keep their settings and sockets here, not in the user's.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # speech-dispatcher was started by Orca and left its process id in our runtime folder.
  for pidfile in "$XDG_RUNTIME_DIR"/speech-dispatcher/pid/*.pid; do
    [ -f "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --load="module-null-sink sink_name=silent" \
  --load="module-native-protocol-unix" >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do
  address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null || true)
  [ -n "$address" ] && break
  sleep 0.2
done
[ -n "${address:-}" ] || skip "the accessibility bus did not start: $(cat "$work/bus.log")"

for language in english german; do
  status=0
  /usr/bin/python3 "$here/orca_speech.py" --program "$bin" --work "$work" --artefacts "$artefacts" \
    --language "$language" || status=$?
  case $status in
    0) ;;
    77) skip "Orca did not start or said nothing ($(tail -n 3 "$work/orca.out" 2>/dev/null | tr '\n' ' '))" ;;
    *) fail "what Orca said in $language is not what the program means (see above and $artefacts/orca_$language.txt)" ;;
  esac
done
echo "$test_name: Orca said what was meant, in English and German"
