# Shared by the host integration's whole-program tests (sourced, not run on its own).
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the bin directory of the build}
work=$(mktemp -d /tmp/host_test.XXXXXX)
export LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$work/registry
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  for log in "$work"/*.log; do [ -f "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}

# wait_for FILE TEXT: waits up to ten seconds for a line of FILE that contains TEXT.
wait_for() {
  for _ in $(seq 100); do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no \"$2\" in $1"
}

# wait_exit PID: waits up to ten seconds for the process to end and gives its exit code.
wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || { wait "$1" && return 0 || return $?; }
    sleep 0.1
  done
  fail "process $1 did not end"
}

# start_server NAME ARGS...: a host server whose commands go to fd of $NAME_ctl (a fifo).
start_server() {
  local name=$1; shift
  mkfifo "$work/$name.ctl"
  "$bin/hostserver" "$@" <"$work/$name.ctl" >"$work/$name.log" 2>&1 &
  pids+=($!)
  eval "${name}_pid=$!"
  exec {fd}>"$work/$name.ctl"
  eval "${name}_fd=$fd"
  wait_for "$work/$name.log" "handle "
}

# start_client NAME ARGS...: a hostclient (environment as set by the caller) taking commands on
# the file descriptor in $NAME_fd.
start_client() {
  local name=$1; shift
  mkfifo "$work/$name.in"
  "$bin/hostclient" "$@" <"$work/$name.in" >"$work/$name.log" 2>&1 &
  pids+=($!)
  eval "${name}_pid=$!"
  exec {fd}>"$work/$name.in"
  eval "${name}_fd=$fd"
}
