#!/usr/bin/env bash
# Limits and signals end a write in words and leave nothing behind. A file size limit (SIGXFSZ)
# and a reader that went away (SIGPIPE) are failures with a message and exit 1. Every signal that
# ends the program during the final flush of a PNG, a CSV or a WAV (stopped there by strace's
# injection) leaves the old file as it was and no fresh file beside it, SIGKILL included; fresh
# files that killed writers left in a folder go with the next write there. A render that cannot
# get the memory for its pictures fails with "not enough memory for ...", exit 1, the old file
# intact, never a blank picture with exit 0. Where the machine refuses (no strace, no ptrace)
# those cases say SKIP.
set -euo pipefail
bin=${VARACTOR_BIN_DIR:?VARACTOR_BIN_DIR must name the folder of the built programs}
test_name=write_signals_test
unset DISPLAY WAYLAND_DISPLAY XDG_RUNTIME_DIR

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d /tmp/$test_name.XXXXXX)
trap 'rm -rf "$work"' EXIT
varactor=$bin/varactor

# expect_failure CODE LINE COMMAND...: the command exits with CODE and says exactly LINE.
expect_failure() {
  local code=$1 line=$2 status=0
  shift 2
  timeout 60 "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$code" ] || fail "$* ended with $status, not $code: $(cat "$work/err")"
  [ "$(cat "$work/err")" = "$line" ] || fail "$* said \"$(cat "$work/err")\", not \"$line\""
}

# only_in DIR NAMES: the folder holds exactly these entries (hidden ones included).
only_in() {
  local dir=$1
  shift
  [ "$(ls -A "$dir" | sort | xargs)" = "$*" ] || fail "$dir holds: $(ls -A "$dir" | xargs)"
}

# A file size limit: the write fails in words, nothing is left.
mkdir "$work/limit"
for kind in render sonify export-csv; do
  name=$work/limit/out.$([ $kind = render ] && echo png || ([ $kind = sonify ] && echo wav) || echo csv)
  status=0
  (ulimit -f 8 && exec "$varactor" --$kind "$name") 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "--$kind under a file size limit ended with $status"
  [ "$(cat "$work/err")" = "varactor: cannot write '$name': File too large" ] ||
    fail "--$kind under a file size limit said \"$(cat "$work/err")\""
done
only_in "$work/limit"

# A reader that went away: said in words, exit 1.
python3 - "$varactor" <<'EOF' || fail "a reader that went away was not said in words"
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
cases = [
    (["--export-csv", "-"], "varactor: cannot write to standard output: the reader went away\n"),
    (["--render", "-", "--format", "png"], "varactor: cannot write to standard output: the reader went away\n"),
    (["--render", "/dev/fd/%d" % write_end, "--format", "svg"],
     "varactor: cannot write '/dev/fd/%d': the reader went away\n" % write_end),
]
for arguments, said in cases:
    run = subprocess.run([sys.argv[1]] + arguments, stdout=write_end, pass_fds=[write_end],
                         stderr=subprocess.PIPE, timeout=60)
    if run.returncode != 1 or run.stderr.decode() != said:
        sys.exit("%s ended with %d: %r" % (arguments, run.returncode, run.stderr))
EOF

# Fresh files that killed writers left are removed by the next write to their folder; those of
# running processes and other files stay.
mkdir "$work/stale"
sh -c 'exit 0' &
gone=$!
wait "$gone"
echo left >"$work/stale/.zeph-$gone.Xy12Ab"
echo running >"$work/stale/.zeph-$$.Xy12Ab"
echo mine >"$work/stale/.zeph-notes"
"$varactor" --export-csv "$work/stale/curves.csv" || fail "the write beside stale files failed"
only_in "$work/stale" ".zeph-$$.Xy12Ab" .zeph-notes curves.csv

# Not enough memory: said, exit 1, the old file intact (the picture needs 1 GiB, the charts drawn
# at scale 2 as much again).
mkdir "$work/memory"
echo old >"$work/memory/large.png"
for limit in 400000 1200000 1900000; do
  status=0
  (ulimit -v $limit && exec "$varactor" --render "$work/memory/large.png" --size 8192x8192 --scale 2) 2>"$work/err" ||
    status=$?
  [ "$status" -eq 1 ] || fail "a render in $limit KiB ended with $status: $(cat "$work/err")"
  grep -qx "varactor: cannot write '$work/memory/large.png': not enough memory for .*" "$work/err" ||
    fail "a render in $limit KiB said \"$(cat "$work/err")\""
  [ "$(cat "$work/memory/large.png")" = old ] || fail "a render in $limit KiB changed the old file"
done
only_in "$work/memory" large.png

# Signals during the final flush: each stops the run at the fresh file's fsync.
if ! command -v strace >/dev/null || ! strace -qq -o /dev/null true 2>/dev/null; then
  echo "$test_name: SKIP: strace cannot trace here; the signals during the final flush did not run"
  echo "$test_name: passed"
  exit 0
fi
mkdir "$work/flush"
"$varactor" --render "$work/fresh.png" --position 200
runs=0
for kind in png csv wav; do
  case $kind in
    png) option=--render ;;
    csv) option=--export-csv ;;
    wav) option=--sonify ;;
  esac
  for signal in HUP INT QUIT USR1 USR2 ALRM TERM VTALRM PROF KILL PIPE; do
    echo "old $kind" >"$work/flush/out.$kind"
    status=0
    # (The shell's own note of a child ended by a signal goes nowhere.)
    {
      timeout 60 strace -f -qq -o /dev/null -e trace=fsync -e inject=fsync:signal=SIG$signal:when=1 \
        "$varactor" $option "$work/flush/out.$kind" --position 200 2>"$work/err" || status=$?
    } 2>/dev/null
    runs=$((runs + 1))
    number=$(kill -l "$signal")
    if [ "$signal" = PIPE ]; then
      # Ignored: nothing reads a file, so the write simply completes.
      [ "$status" -eq 0 ] || fail "SIGPIPE at the flush of a $kind ended it with $status: $(cat "$work/err")"
      [ "$(head -c 5 "$work/flush/out.$kind")" != "old $kind" ] || fail "SIGPIPE kept the $kind from being written"
    else
      [ "$status" -eq $((128 + number)) ] || fail "SIG$signal at the flush of a $kind ended it with $status"
      [ "$(cat "$work/flush/out.$kind")" = "old $kind" ] || fail "SIG$signal at the flush changed the old $kind"
    fi
    only_in "$work/flush" "out.$kind"
    rm "$work/flush/out.$kind"
  done
done
echo "$test_name: passed ($runs runs stopped at their flush)"
