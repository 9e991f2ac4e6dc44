#!/usr/bin/env bash
# The simulation on a real accessibility bus, as a blind or keyboard-only student meets it: the
# program runs under Xvfb with a window manager, at-spi2-core's bus and registry under a D-Bus
# session of its own; keys go in through xdotool and everything is read back through AT-SPI
# (pyatspi), in English and in German, and once more at twice the pixels for the screenshots.
set -euo pipefail

if [ -z "${A11Y_BUS_TEST_IN_XVFB:-}" ]; then
  exec env A11Y_BUS_TEST_IN_XVFB=1 xvfb-run -a -s "-noreset -screen 0 2000x1400x24" \
    dbus-run-session -- bash "$0" "$@"
fi

fail() {
  echo "accessibility_bus_test: FAIL: $*" >&2
  exit 1
}

bin="${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}/varactor"
artefacts="${VARACTOR_ARTEFACTS:-$PWD/artefacts}"
mkdir -p "$artefacts"
here=$(cd "$(dirname "$0")" && pwd)

# Without the bus there is nothing to check: that is a failure, never a pass.
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || fail "at-spi2-core's $launcher is missing (Debian package at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (Debian package python3-pyatspi)"
for tool in xdotool openbox import; do
  command -v "$tool" >/dev/null || fail "$tool is missing"
done
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "no D-Bus session bus (dbus-run-session did not start one)"

work=$(mktemp -d /tmp/accessibility_bus_test.XXXXXX)
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$launcher" --launch-immediately >"$work/bus.log" 2>&1 &
pids+=($!)
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
# The bus is up when the session bus hands out its address.
for _ in $(seq 1 50); do
  address=$(dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    2>/dev/null || true)
  [ -n "$address" ] && break
  sleep 0.2
done
[ -n "${address:-}" ] || fail "the accessibility bus did not start: $(cat "$work/bus.log")"

run() {
  /usr/bin/python3 "$here/accessibility_bus.py" --program "$bin" --work "$work" --artefacts "$artefacts" "$@" ||
    fail "the checks through AT-SPI failed ($*)"
}
run --language english --position 0
run --language english --position -1000 --scale 1
run --language german --position 0
run --language english --scale 2
echo "accessibility_bus_test: all checks passed"
