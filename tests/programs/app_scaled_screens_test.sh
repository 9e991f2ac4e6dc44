#!/usr/bin/env bash
# The simulation on screens of device pixel ratio 1, 1.5 and 2 (QT_SCALE_FACTOR), under Xvfb:
# screenshots of the main window are kept as artefacts; the window grows by the ratio, and its
# curves and labels are drawn at the screen's resolution, not magnified from fewer pixels.
app_screen=1600x1200x24
source "$(dirname "$0")/app_startup_common.sh"

for factor in 1 1.5 2; do
  QT_SCALE_FACTOR=$factor start_program scaled "$bin"
  about=$(wait_window About)
  main=$(wait_window "Varactor Diode")
  # Return closes the box; a box that took the key before it had the focus is asked again.
  for _ in $(seq 1 25); do
    xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1 || break
    xdotool windowfocus --sync "$about" 2>/dev/null || true
    xdotool key Return
    sleep 0.4
  done
  xdotool search --onlyvisible --name '^About$' >/dev/null 2>&1 && fail "the about box stayed open at scale $factor"
  sleep 1
  shot="$artefacts/app_screen_scale_${factor}.png"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
  kill "$scaled_pid"
  wait "$scaled_pid" 2>/dev/null || true

  # The window's pixels, the curves' blue pixels and, at ratio 2, how many of the aligned 2 x 2
  # blocks around curves and dark text are not one colour (a magnified picture has none).
  read -r width height blue mixed_curve mixed_text < <(python3 - "$shot" "$source_dir/tests/programs" <<'PY'
import sys
sys.path.insert(0, sys.argv[2])
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
px = lambda x, y: tuple(rows[y][x * bpp:x * bpp + 3])
blue = sum(1 for y in range(height) for x in range(width) if px(x, y) == (0, 0, 255))
def mixed(test):
    touched = differ = 0
    for y in range(0, height - 1, 2):
        for x in range(0, width - 1, 2):
            block = [px(x, y), px(x + 1, y), px(x, y + 1), px(x + 1, y + 1)]
            if any(test(p) for p in block):
                touched += 1
                differ += len(set(block)) > 1
    return 100 * differ // max(touched, 1)
print(width, height, blue, mixed(lambda p: p[2] > 200 and p[0] < 80 and p[1] < 80),
      mixed(lambda p: max(p) < 100))
PY
)
  echo "scale $factor: ${width}x${height}, $blue curve pixels, mixed blocks: curves $mixed_curve %, text $mixed_text %"
  expected_width=$(python3 -c "print(round(687 * $factor))")
  [ $((width - expected_width)) -le 4 ] && [ $((expected_width - width)) -le 20 ] \
    || fail "the window is $width pixels wide at scale $factor, not about $expected_width"
  [ "$blue" -gt 300 ] || fail "no curves at scale $factor ($blue blue pixels)"
  if [ "$factor" = 2 ]; then
    [ "$mixed_curve" -ge 25 ] || fail "the curves look magnified at scale 2 ($mixed_curve % mixed blocks)"
    [ "$mixed_text" -ge 25 ] || fail "the labels look magnified at scale 2 ($mixed_text % mixed blocks)"
  fi
done

echo "$test_name: passed"
