#!/usr/bin/env bash
# The chart on the documentation's main page, taken from docs/mainpage.md as it stands, builds
# against the installed package the way the page tells (find_package, Zeph::Chart) without a
# warning, and draws off screen: its curve runs through every column of the chart area. So does the
# Bode plot of the page on two y axes, its two curves listed in a legend.
source "$(dirname "$0")/install_common.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" --component zeph_development >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "installing the libraries failed"; }

# The first C++ block after the page's example heading, with the event loop replaced by saving
# the window's picture.
project=$work/project
mkdir -p "$project"
awk '/^## A chart in ten lines/ { section = 1; next }
     section && /^~~~\{\.cpp\}/ { code = 1; next }
     code && /^~~~/ { exit }
     code { print }' "$source_dir/docs/mainpage.md" >"$project/example.cpp"
grep -q '^  return app.exec();$' "$project/example.cpp" || fail "the main page's example has no 'return app.exec();'"
sed -i 's|^  return app.exec();$|  return chart.grab().save(argv[1]) ? 0 : 1;|' "$project/example.cpp"
cat >"$project/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(mainpage_example LANGUAGES CXX)
find_package(ZephChart 1.0 CONFIG REQUIRED)
add_executable(example example.cpp)
target_compile_options(example PRIVATE -Wall -Wextra -Wpedantic -Werror)
target_link_libraries(example PRIVATE Zeph::Chart)
EOF
cmake -S "$project" -B "$project/build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; fail "the example's project does not configure"; }
cmake --build "$project/build" >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; fail "the example does not build"; }

png=$work/chart.png
QT_QPA_PLATFORM=offscreen "$project/build/example" "$png" >"$work/run.log" 2>&1 ||
  { cat "$work/run.log" >&2; fail "the example did not save its chart"; }

# Size, the blue pixels of the curve, the chart-area columns they reach (the layout's rims put
# the area between x 50 and 460, y 20 and 280) and the white of the area around them.
read -r width height blue outside columns white < <(PYTHONPATH="$(dirname "$0")" python3 - "$png" <<'PY'
import sys
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
blue = outside = white = 0
columns = set()
for y, row in enumerate(rows):
    for x in range(width):
        r, g, b = row[x * bpp], row[x * bpp + 1], row[x * bpp + 2]
        inside = 50 < x < 460 and 20 < y < 280
        if r < 60 and g < 60 and b > 200:
            blue += 1
            if inside:
                columns.add(x)
            else:
                outside += 1
        elif inside and min(r, g, b) > 240:
            white += 1
print(width, height, blue, outside, len(columns), white)
PY
)
[[ "$width" -eq 480 && "$height" -eq 320 ]] || fail "a chart of ${width}x${height} instead of 480x320"
[[ "$outside" -eq 0 ]] || fail "$outside blue pixels outside the chart area"
[[ "$columns" -eq 409 ]] || fail "the curve reaches $columns of the chart area's 409 columns"
[[ "$blue" -lt 3000 ]] || fail "$blue blue pixels: more than one thin curve"
[[ "$white" -gt 90000 ]] || fail "only $white white pixels in the chart area"

# The page on two y axes: its ShowBodePlot with a main that saves the chart's picture.
bode=$work/bode
mkdir -p "$bode"
awk '/^## The plot/ { section = 1; next }
     section && /^~~~\{\.cpp\}/ { code = 1; next }
     code && /^~~~/ { exit }
     code { print }' "$source_dir/docs/two-y-axes.md" >"$bode/example.cpp"
grep -q '^void ShowBodePlot(zeph::TZephChart& chart) {$' "$bode/example.cpp" || fail "the Bode page's example has no ShowBodePlot"
cat >>"$bode/example.cpp" <<'EOF'

#include <zeph/toolkit/tapplication.h>

int main(int argc, char** argv) {
  zeph::TApplication app(argc, argv);
  zeph::TZephChart chart;
  chart.resize(500, 320);
  ShowBodePlot(chart);
  return chart.grab().save(argv[1]) ? 0 : 1;
}
EOF
cp "$project/CMakeLists.txt" "$bode/CMakeLists.txt"
cmake -S "$bode" -B "$bode/build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/bode-configure.log" 2>&1 ||
  { cat "$work/bode-configure.log" >&2; fail "the Bode example's project does not configure"; }
cmake --build "$bode/build" >"$work/bode-build.log" 2>&1 || { cat "$work/bode-build.log" >&2; fail "the Bode example does not build"; }
QT_QPA_PLATFORM=offscreen "$bode/build/example" "$work/bode.png" >"$work/bode-run.log" 2>&1 ||
  { cat "$work/bode-run.log" >&2; fail "the Bode example did not save its chart"; }

# Blue magnitude and red phase across the chart area, and in the lower left quarter the legend's
# samples: a blue line and a red one with the gaps of its dashes.
read -r blue_columns red_columns blue_sample red_sample red_runs < <(PYTHONPATH="$(dirname "$0")" python3 - "$work/bode.png" <<'PY'
import sys
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
def colour(x, y):
    return tuple(rows[y][x * bpp:x * bpp + 3])
blue, red = (0, 0, 255), (255, 0, 0)
columns = {blue: set(), red: set()}
best = {blue: (0, 0), red: (0, 0)}
for y in range(height):
    for c in (blue, red):
        xs = [x for x in range(width) if colour(x, y) == c]
        columns[c].update(xs)
        if y < height // 2:
            continue
        left = [x for x in xs if x < width // 2]
        runs = sum(1 for i, x in enumerate(left) if i == 0 or left[i - 1] != x - 1)
        if len(left) > best[c][0]:
            best[c] = (len(left), runs)
print(len(columns[blue]), len(columns[red]), best[blue][0], best[red][0], best[red][1])
PY
)
[[ "$blue_columns" -ge 380 ]] || fail "the magnitude reaches $blue_columns columns"
[[ "$red_columns" -ge 300 ]] || fail "the dashed phase reaches $red_columns columns"
[[ "$blue_sample" -ge 24 ]] || fail "no blue sample in the legend ($blue_sample pixels in a row)"
[[ "$red_sample" -ge 24 && "$red_runs" -ge 3 ]] || fail "no dashed red sample in the legend ($red_sample pixels in $red_runs dashes)"
echo "$test_name: passed"
