#!/usr/bin/env bash
# Kept curves in the real program: K in a chart keeps the current grading on both charts, the
# slider then moves the current curves away from it and a legend names both by m; --keep puts
# kept gradings into renders and CSV files.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/app"
start_program app "$work/app" --keep 1000
about=$(wait_window About)
main=$(wait_window "Varactor Diode")
close_box "$about"
wait_state items.capacitance 200
expect_state items.profile 600

eval "$(xdotool getwindowgeometry --shell "$main")"
panel2=$(state main.panel2)
# Into the capacitance chart, then K: the current abrupt grading is kept as well.
xdotool mousemove $((X + panel2 + 60)) $((Y + 49 + 30)) click 1
xdotool key k
wait_state items.capacitance 300
expect_state items.profile 900
# The slider moves only the current curves.
xdotool mousemove $((X + 20)) $((Y + 30)) click 1
xdotool key End
wait_state slider 1000
expect_state items.capacitance 300
xdotool mousemove 5 5
shot lesson_kept
python3 - "$artefacts/lesson_kept.png" "$X" "$Y" "$WIDTH" "$HEIGHT" "$source_dir/tests/programs" <<'PY' ||
import sys
path, x, y, width, height = sys.argv[1], *map(int, sys.argv[2:6])
sys.path.insert(0, sys.argv[6])
from pngrows import read_png
w, h, bpp, rows = read_png(path)
def count(colour):
    return sum(tuple(rows[r][c * bpp:c * bpp + 3]) == colour for r in range(y + 49, y + height - 56)
               for c in range(x, x + width))
kept = [(120, 150, 255), (240, 120, 120)]
assert all(count(k) > 100 for k in kept), [count(k) for k in kept]
PY
  fail "the kept curves are not in their colours"

# Files: the kept gradings beside the current one.
"$bin/varactor" --export-csv "$work/kept.csv" --keep -1000,500 || fail "--export-csv --keep"
header='U [V],C [pF],d [um],ND [10^16 cm^-3],C [pF] (m = -1),ND [10^16 cm^-3] (m = -1)'
header+=',C [pF] (m = 0.5),ND [10^16 cm^-3] (m = 0.5)'
[ "$(head -n 1 "$work/kept.csv")" = "$header" ] ||
  fail "the CSV header: $(head -n 1 "$work/kept.csv")"
[ "$(awk -F, 'NR > 1 && NF == 8' "$work/kept.csv" | wc -l)" -eq 300 ] || fail "the CSV rows do not have eight columns"
"$bin/varactor" --export-csv "$work/bad.csv" --keep 1,2,3,4,5 2>"$work/bad.err" && fail "five kept gradings were taken"
grep -q "invalid --keep" "$work/bad.err" || fail "--keep with five: $(cat "$work/bad.err")"
[ ! -e "$work/bad.csv" ] || fail "a refused --keep wrote a file"
# A render holds the kept curves with their legend.
"$bin/varactor" --render "$work/kept.svg" --keep -1000 --position 200 || fail "--render --keep"
grep -q 'm = −1' "$work/kept.svg" && grep -q 'm = 0.2' "$work/kept.svg" ||
  fail "the render has no legend of its curves"
echo "$test_name: passed"
