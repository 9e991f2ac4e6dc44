#!/usr/bin/env bash
# A language file with texts of any length (as a host may serve one): an information text that
# is one word of 1 MiB, a window title and a button caption of 16 MiB. The windows come up within
# a few seconds, with the title cut to what a window takes and the word broken into lines. The
# layout of an information text does not grow with its length: 4 MiB of ordinary words or of
# 4096-letter words come up about as fast as 64 KiB.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/prog"
python3 - "$work/prog/varactor.itl" <<'EOF'
import sys
word = b"W" * (1 << 20)
title = b"T" * (16 << 20)
with open(sys.argv[1], "wb") as itl:
    itl.write(b"[MMInfo]=" + word + b"|$$\r\n")
    itl.write(b"[Varactor Diode]=" + title + b"|$$\r\n")
    itl.write(b"[Exit]=" + title + b"|$$\r\n")
EOF
started=$(date +%s%N)
start_program sim "$work/prog"
about=$(wait_window About)
wait_state event startup
shown_ms=$((($(date +%s%N) - started) / 1000000))
# Before, a 1 MiB word kept the window from showing for minutes and such a title broke the
# connection to the X server. The bound leaves room for a loaded machine.
[ "$shown_ms" -lt 10000 ] || fail "the windows took $shown_ms ms to show"
kill -0 "$sim_pid" || fail "the simulation ended"
title=$(state main.title)
[ "${#title}" -eq 4096 ] || fail "the title holds ${#title} characters, not 4096"
[ "$title" = "$(printf 'T%.0s' $(seq 4096))" ] || fail "the title is not the start of the translated one"
main=$(xdotool search --onlyvisible --name "^TTTT" | head -n 1)
[ -n "$main" ] || fail "no main window under the cut title"
exit_caption=$(state main.exit)
[ "${#exit_caption}" -eq 4096 ] || fail "the exit button's caption holds ${#exit_caption} characters"
info=$(state main.info)
# The word whole, in lines of 256 characters (the state file writes a line break as \n).
[ "${info//\\n/}" = "$(head -c $((1 << 20)) /dev/zero | tr '\0' W)" ] || fail "the information text lost characters"
[ "$(printf '%s' "$info" | grep -o '\\n' | wc -l)" -eq 4095 ] || fail "the information text is not in lines of 256"
close_box "$about"
wait_state event curves
shot app_long_texts_main
kill "$sim_pid"
wait_exit "$sim_pid"

# startup_ms WORD_LENGTH [KIB]: how long the start-up takes with an information text of KIB KiB
# (4 MiB when not given) in words of that many letters.
startup_ms() {
  python3 - "$work/prog/varactor.itl" "$1" "${2:-4096}" <<'EOF'
import sys
length = int(sys.argv[2])
word = b"W" * length
with open(sys.argv[1], "wb") as itl:
    itl.write(b"[MMInfo]=" + b" ".join([word] * ((int(sys.argv[3]) << 10) // (length + 1))) + b"|$$\r\n")
EOF
  local started
  started=$(date +%s%N)
  start_program sized "$work/prog"
  wait_state event startup
  echo $((($(date +%s%N) - started) / 1000000))
  kill "$sized_pid"
  wait_exit "$sized_pid"
}
ordinary=$(startup_ms 8)
long=$(startup_ms 4096)
small=$(startup_ms 8 64)
# Reading and translating 4 MiB takes a moment; laying them out no longer does. Before, 4 MiB of
# 4096-letter words took twenty times as long as 64 KiB (6.6 s on a fast machine), and 4 MiB of
# ordinary words, one paragraph laid out whole, more than ten times as long.
[ "$long" -le $((small * 4 + 1000)) ] && [ "$ordinary" -le $((small * 4 + 1000)) ] ||
  fail "4 MiB of 4096-letter words took $long ms to start, of ordinary words $ordinary ms, 64 KiB $small ms"
echo "$test_name: passed (shown after $shown_ms ms; information text of 64 KiB in $small ms, 4 MiB in $ordinary ms, in long words $long ms)"
