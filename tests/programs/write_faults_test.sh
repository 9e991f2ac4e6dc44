#!/usr/bin/env bash
# Output that cannot be written is said in one line with the system's reason, exits non-zero and
# loses nothing: PNG, PDF, SVG and CSV over existing files on a full file system and on a
# read-only one, device nodes and FIFOs written in place (never replaced), standard output on a
# full device, and the host server on a full runtime file system announcing no handle. Bad
# option values, and an option given twice, exit 2. The file systems are tmpfs mounts inside a private mount namespace of
# this test, gone with it whatever happens; where the machine refuses mounts or namespaces those
# cases say so and are skipped.
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
test_name=write_faults_test
# Nothing of the user's desktop: no runtime directory (Qt must not complain about it either).
unset XDG_RUNTIME_DIR DISPLAY WAYLAND_DISPLAY

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

# expect_failure CODE LINE COMMAND...: the command exits with CODE and says exactly LINE on
# standard error, within a minute.
expect_failure() {
  local code=$1 line=$2 status=0
  shift 2
  timeout 60 "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$code" ] || fail "$* ended with $status, not $code: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "$line" ] || fail "$* said \"$(cat "$work/err")\", not \"$line\""
}

# The cases on file systems of their own, run inside the private mount namespace.
mounted_cases() {
  fs=$work/fs
  mkdir -p "$fs"
  trap 'umount -l "$fs" 2>/dev/null || true' EXIT

  # A full file system: each format over an old file of its name.
  mount -t tmpfs -o size=1m tmpfs "$fs"
  for name in old.png old.pdf old.svg old.csv; do head -c 3000 /dev/urandom >"$fs/$name"; cp "$fs/$name" "$work/$name"; done
  dd if=/dev/zero of="$fs/filler" bs=4k 2>/dev/null || true
  dd if=/dev/zero of="$fs/rest" bs=1 2>/dev/null || true
  for name in old.png old.pdf old.svg; do
    expect_failure 1 "varactor: cannot write '$fs/$name': No space left on device" \
      "$bin/varactor" --render "$fs/$name" --position 300
  done
  expect_failure 1 "varactor: cannot write '$fs/old.csv': No space left on device" \
    "$bin/varactor" --export-csv "$fs/old.csv"
  for name in old.png old.pdf old.svg old.csv; do
    cmp -s "$fs/$name" "$work/$name" || fail "the old $name was not kept on a full file system"
  done
  [ "$(ls -A "$fs" | sort | tr '\n' ' ')" = "filler old.csv old.pdf old.png old.svg rest " ] ||
    fail "leftovers on the full file system: $(ls -A "$fs")"
  umount "$fs"

  # A read-only file system.
  mount -t tmpfs -o size=1m tmpfs "$fs"
  echo old >"$fs/chart.png"
  mount -o remount,ro "$fs"
  expect_failure 1 "varactor: cannot write '$fs/chart.png': Read-only file system" "$bin/varactor" --render "$fs/chart.png"
  expect_failure 1 "varactor: cannot write '$fs/new.csv': Read-only file system" "$bin/varactor" --export-csv "$fs/new.csv"
  [ "$(cat "$fs/chart.png")" = old ] || fail "the old file on the read-only file system changed"
  umount "$fs"

  # Device nodes of our own (the real /dev is never touched): written in place, never replaced.
  mount -t tmpfs -o size=1m tmpfs "$fs"
  mknod "$fs/null" c 1 3
  mknod "$fs/full" c 1 7
  "$bin/varactor" --export-csv "$fs/null" 2>"$work/err" || fail "writing to a null device failed: $(cat "$work/err")"
  expect_failure 1 "varactor: cannot write '$fs/full': No space left on device" "$bin/varactor" --export-csv "$fs/full"
  expect_failure 1 "varactor: cannot write '$fs/full': No space left on device" "$bin/varactor" --render "$fs/full"
  for node in null full; do [ -c "$fs/$node" ] || fail "the device $node was replaced"; done
  [ "$(ls -A "$fs" | sort | tr '\n' ' ')" = "full null " ] || fail "leftovers beside the devices: $(ls -A "$fs")"
  umount "$fs"

  # The host server's runtime file system full (blocks, then inodes), and its registry's: it
  # says why and announces no handle.
  mount -t tmpfs -o size=64k,mode=0700 tmpfs "$fs"
  dd if=/dev/zero of="$fs/filler" bs=4k 2>/dev/null || true
  LEXIVO_RUNTIME_DIR=$fs LEXIVO_REGISTRY_DIR=$work/registry \
    expect_failure 1 "hostserver: Could not create window handle: No space left on device." "$bin/hostserver"
  [ ! -s "$work/out" ] || fail "the server announced: $(cat "$work/out")"
  umount "$fs"
  mount -t tmpfs -o size=1m,nr_inodes=4,mode=0700 tmpfs "$fs"
  touch "$fs/a" "$fs/b" "$fs/c" 2>/dev/null || true
  LEXIVO_RUNTIME_DIR=$fs LEXIVO_REGISTRY_DIR=$work/registry \
    expect_failure 1 "hostserver: Could not create window handle: No space left on device." "$bin/hostserver"
  [ ! -s "$work/out" ] || fail "the server announced: $(cat "$work/out")"
  umount "$fs"
  mount -t tmpfs -o size=64k,mode=0700 tmpfs "$fs"
  dd if=/dev/zero of="$fs/filler" bs=4k 2>/dev/null || true
  LEXIVO_RUNTIME_DIR=$work/run LEXIVO_REGISTRY_DIR=$fs/registry \
    expect_failure 1 "hostserver: cannot write the registry value: No space left on device." "$bin/hostserver"
  [ ! -s "$work/out" ] || fail "the server announced: $(cat "$work/out")"
  umount "$fs"
  echo "$test_name: the cases on full, read-only and device file systems passed"
}

if [ "${1:-}" = --mounted ]; then
  work=$2
  mounted_cases
  exit 0
fi

work=$(mktemp -d /tmp/$test_name.XXXXXX)
trap 'rm -rf "$work"' EXIT

# A FIFO that somebody reads gets the curves and stays a FIFO; one that nobody reads is refused
# at once instead of waiting for ever.
mkfifo "$work/pipe"
timeout 60 cat "$work/pipe" >"$work/piped" &
reader=$!
"$bin/varactor" --export-csv "$work/pipe" --position 100 2>"$work/err" || fail "writing to a FIFO failed: $(cat "$work/err")"
wait "$reader" || fail "the FIFO's reader got nothing"
"$bin/varactor" --export-csv - --position 100 >"$work/direct"
cmp -s "$work/piped" "$work/direct" || fail "the FIFO's reader did not get the curves"
[ -p "$work/pipe" ] || fail "the FIFO was replaced"
expect_failure 1 "varactor: cannot write '$work/pipe': no process reads from the FIFO" "$bin/varactor" --export-csv "$work/pipe"
[ -p "$work/pipe" ] || fail "the FIFO was replaced"

# Standard output on a full device.
status=0
"$bin/varactor" --export-csv - >/dev/full 2>"$work/err" || status=$?
[ "$status" -eq 1 ] || fail "a full standard output ended with $status"
[ "$(cat "$work/err")" = "varactor: cannot write to standard output: No space left on device" ] ||
  fail "a full standard output said \"$(cat "$work/err")\""

# A batch run says nothing of a runtime directory it does not use, unset or a file.
"$bin/varactor" --export-csv "$work/curves.csv" 2>"$work/err"
[ ! -s "$work/err" ] || fail "a batch run without XDG_RUNTIME_DIR said: $(cat "$work/err")"
touch "$work/not-a-folder"
XDG_RUNTIME_DIR=$work/not-a-folder "$bin/varactor" --export-csv "$work/curves.csv" 2>"$work/err"
[ ! -s "$work/err" ] || fail "a batch run with XDG_RUNTIME_DIR on a file said: $(cat "$work/err")"

# Bad values of the options: exit 2 and one line, as for every other bad value.
expect_failure 2 "varactor: the size 1x1 is too small for the charts: at least 300x80" \
  "$bin/varactor" --render "$work/small.png" --size 1x1
expect_failure 2 "varactor: --render may be given only once" \
  "$bin/varactor" --render "$work/a.png" --render "$work/b.pdf"
expect_failure 2 "varactor: --export-csv may be given only once" \
  "$bin/varactor" --export-csv "$work/a.csv" --export-csv "$work/b.csv"
expect_failure 2 "varactor: --position may be given only once" \
  "$bin/varactor" --export-csv "$work/a.csv" --position 3 --position 4
expect_failure 2 "varactor: --size may be given only once" \
  "$bin/varactor" --render "$work/a.png" --size 800x400 --size 900x400
[ ! -e "$work/small.png" ] && [ ! -e "$work/a.png" ] && [ ! -e "$work/b.pdf" ] || fail "a refused run wrote a file"

if [ "$(id -u)" -ne 0 ]; then
  echo "$test_name: SKIP: the cases on full, read-only and device file systems need root for their mounts"
elif ! unshare -m --propagation private true 2>/dev/null; then
  echo "$test_name: SKIP: this machine refuses private mount namespaces; no case on full, read-only or device file systems ran"
elif ! unshare -m --propagation private sh -c "mount -t tmpfs tmpfs '$work' && umount '$work'" 2>/dev/null; then
  echo "$test_name: SKIP: this machine refuses tmpfs mounts; no case on full, read-only or device file systems ran"
else
  unshare -m --propagation private bash "$0" --mounted "$work" || fail "the cases on mounted file systems failed"
fi
echo "$test_name: passed"
