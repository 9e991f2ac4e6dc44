#!/usr/bin/env bash
# The lesson in the real window under Xvfb: the window opens at the grading --position asks for;
# with the pointer on the capacitance curve a readout stands beside the point and the profile
# chart shows the depletion edge at d = w(U) (computed here from the model's physics), the
# depleted region shaded; once the pointer has left, both charts are exactly as before.
source "$(dirname "$0")/app_startup_common.sh"

make_program "$work/app"
start_program app "$work/app" --position 500
about=$(wait_window About)
main=$(wait_window "Varactor Diode")
close_box "$about"
wait_state items.capacitance 100
expect_state slider 500

eval "$(xdotool getwindowgeometry --shell "$main")"
panel2=$(state main.panel2)
top=$((Y + 49))
height=$((HEIGHT - 49 - 56))
# Each chart: the area begins 50 pixels in and 20 down and ends 20 before the right edge, 40
# above the bottom.
read -r pointer_x pointer_y column <<<"$(python3 - "$X" "$top" "$WIDTH" "$height" "$panel2" <<'PY'
import math, sys
x, top, width, height, panel2 = map(int, sys.argv[1:])
m = 0.5
q, eps, vbi = 1.602176462e-19, 1.0472e-12, 0.7
b = 1e16 * 10000 ** m
cap_left, cap_width = x + panel2, width - panel2
cw_cap, cw_profile = cap_width - 70, panel2 - 70
u = 4.0
w_um = (eps * (m + 2) * (u + vbi) / (q * b)) ** (1 / (m + 2)) * 1e4
print(cap_left + 50 + round(u / 10 * cw_cap), top + 20 + (height - 60) // 2,
      x + 50 + math.floor(w_um / 3 * cw_profile))
PY
)"

xdotool mousemove 5 5
shot lesson_views_before
xdotool mousemove "$pointer_x" "$pointer_y"
shot lesson_views_pointed
xdotool mousemove 5 5
shot lesson_views_after

python3 - "$artefacts" "$column" "$top" "$height" "$X" "$WIDTH" "$panel2" "$pointer_x" "$pointer_y" \
  "$source_dir/tests/programs" <<'PY' || fail "the readout or the link is not where it belongs"
import sys
artefacts, column, top, height, x, width, panel2, px, py = sys.argv[1], *map(int, sys.argv[2:10])
sys.path.insert(0, sys.argv[10])
from pngrows import read_png

def load(name):
    w, h, bpp, rows = read_png(f"{artefacts}/{name}.png")
    return lambda cx, cy: tuple(rows[cy][cx * bpp:cx * bpp + 3])

before, pointed, after = load("lesson_views_before"), load("lesson_views_pointed"), load("lesson_views_after")
link = (192, 64, 0)
area_top, area_bottom = top + 20, top + height - 40
# The depletion edge: a line of the link's colour down the profile's area, at the computed column.
line = [c for c in range(column - 1, column + 2)
        if sum(pointed(c, r) == link for r in range(area_top, area_bottom)) > 0.8 * (area_bottom - area_top)]
assert line, f"no depletion line at column {column}"
# The depleted region left of it is shaded (red over blue), the undepleted right of it is not.
row = area_bottom - 15
left = pointed((x + 50 + column) // 2, row)
assert left[0] - left[2] > 20, f"the depleted region is not shaded: {left}"
assert pointed(column + 25, row) == before(column + 25, row), "the shade reaches beyond the edge"
# The readout: a ring on the curve under the pointer, a framed label beside it in the chart area.
ring = sum(pointed(c, r)[0] < 80 and before(c, r)[0] > 80
           for c in range(px - 6, px + 7) for r in range(py - 60, py + 60))
assert ring > 10, "no ring on the pointed point"
label = sum(pointed(c, r) == (0, 0, 0) and before(c, r) != (0, 0, 0)
            for c in range(px, x + width) for r in range(area_top, area_bottom))
assert label > 200, "no readout label beside the point"
# Gone once the pointer has left: both charts exactly as before.
changed = sum(after(c, r) != before(c, r) for c in range(x, x + width) for r in range(top, top + height))
assert changed == 0, f"{changed} pixels of the charts stayed changed"
PY

kill "$app_pid"
echo "$test_name: passed"
