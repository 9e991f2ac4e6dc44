# Shared by the tests of the installed program (sourced, not run on its own): an install of the
# build into a folder of the test's own, and the program's window run off screen, telling its
# state through VARACTOR_STATE_FILE.
set -euo pipefail

build=${VARACTOR_BUILD_DIR:?VARACTOR_BUILD_DIR must name the build tree}
source_dir=${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}
test_name=$(basename "$0" .sh)
work=$(mktemp -d "/tmp/$test_name.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
export XDG_CONFIG_HOME=$work/config

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

# install_into DIR: the build installed with prefix /usr under DIR (as DESTDIR).
install_into() {
  DESTDIR=$1 cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "cmake --install failed"; }
}

# window_title PROGRAM ARGS...: starts the program's window off screen, waits up to fifteen
# seconds for its first state and prints the main window's title; the program is ended then.
window_title() {
  local state=$work/state.txt pid title=
  rm -f "$state"
  QT_QPA_PLATFORM=offscreen VARACTOR_STATE_FILE=$state exec "$@" >"$work/window.log" 2>&1 &
  pid=$!
  for _ in $(seq 150); do
    title=$(sed -n 's/^main.title=//p' "$state" 2>/dev/null | head -n 1)
    [ -n "$title" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -n "$title" ] || { cat "$work/window.log" >&2; fail "'$*' showed no window"; }
  echo "$title"
}

# "${hidden[@]}" COMMAND ARGS... runs the command with the build tree out of sight where the
# machine allows a private mount (root); elsewhere as it is. The command keeps the process id.
hidden=()
if unshare --mount true 2>/dev/null; then
  hidden=(unshare --mount bash -c 'mount -t tmpfs none "$0" && exec "$@"' "$build")
fi
