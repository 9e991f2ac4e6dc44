#!/usr/bin/env bash
# The libraries as their users take them:
# - the examples build against the installed package (find_package(ZephChart 1.0)), once from the
#   static libraries of the build tree and once from a shared build, and draw their windows off
#   screen; the shared libraries carry their SONAME, export nothing outside the zeph API but what
#   Qt's templates bring along, and the examples built on them load them;
# - a program compiles from `pkg-config --cflags --libs zephchart` alone;
# - a program with a target called app and an Exception and a clBlack of its own builds the
#   libraries as a subproject, gets none of our warning options and none of our tests, tools and
#   programs;
# - the package accepts version 1.0 and its components, and refuses version 2.0.
set -euo pipefail

build=${VARACTOR_BUILD_DIR:?VARACTOR_BUILD_DIR must name the build tree}
source_dir=${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}
here=$(cd "$(dirname "$0")" && pwd)
test_name=$(basename "$0" .sh)
# Inside the build tree under a fixed name, so that the compiler cache sees the same paths each run.
work=$build/$test_name
rm -rf "$work"
mkdir -p "$work/logs"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

configure=(-DCMAKE_BUILD_TYPE=Release)
compiler=(g++)
if command -v ccache >/dev/null; then
  configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  compiler=(ccache g++)
  common=$(python3 -c 'import os, sys; print(os.path.commonpath(sys.argv[1:]))' "$source_dir" "$work")
  if [ "$common" != / ]; then export CCACHE_BASEDIR=$common; fi
fi

fail() {
  echo "$test_name: FAIL: $*" >&2
  exit 1
}

# step NAME COMMAND...: runs the command with its output in a log, shown when it fails.
step() {
  local name=$1
  shift
  "$@" >"$work/logs/$name.log" 2>&1 || { tail -n 60 "$work/logs/$name.log" >&2; fail "$name: '$*' failed"; }
}

# colours PNG R,G,B...: the picture's width and height, then for each colour the number of its
# pixels and the width of the columns they span.
colours() {
  PYTHONPATH=$here python3 - "$@" <<'PY'
import sys
from pngrows import read_png
width, height, bpp, rows = read_png(sys.argv[1])
wanted = [tuple(int(v) for v in c.split(",")) for c in sys.argv[2:]]
count = {c: 0 for c in wanted}
low = {c: width for c in wanted}
high = {c: -1 for c in wanted}
for row in rows:
    for x in range(width):
        p = (row[x * bpp], row[x * bpp + 1], row[x * bpp + 2])
        if p in count:
            count[p] += 1
            low[p] = min(low[p], x)
            high[p] = max(high[p], x)
print(width, height, " ".join(f"{count[c]} {max(high[c] - low[c] + 1, 0)}" for c in wanted))
PY
}

# at_least WHAT VALUE MINIMUM
at_least() {
  [ "$2" -ge "$3" ] || fail "$1: $2, expected at least $3"
}

navy=0,0,128 red=255,0,0 blue=0,0,255 green=0,128,0 maroon=128,0,0

# --- The examples -------------------------------------------------------------------------------
examples=(live_chart log_and_time_axes translated_form designer_form)
for folder in "$source_dir"/examples/*/; do
  name=$(basename "$folder")
  [[ " ${examples[*]} " == *" $name "* ]] || fail "examples/$name is not run by this test"
done

# build_examples KIND PREFIX: every example configured from the sources installed in PREFIX and
# built against the package there.
build_examples() {
  local kind=$1 prefix=$2 example
  for example in "${examples[@]}"; do
    [ -s "$prefix/share/doc/zephchart/examples/$example/CMakeLists.txt" ] || fail "examples/$example is not installed"
    step "$kind-$example-configure" cmake -S "$prefix/share/doc/zephchart/examples/$example" -B "$work/$kind/$example" \
      "${configure[@]}" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Wpedantic -Werror"
    step "$kind-$example-build" cmake --build "$work/$kind/$example" -j "$jobs"
  done
}

# snapshot KIND EXAMPLE PNG [ARGS...]: the example's picture, taken off screen.
snapshot() {
  local kind=$1 example=$2 png=$3
  shift 3
  step "$kind-$example-run" timeout 60 "$work/$kind/$example/$example" "$@" --snapshot "$png"
  [ -s "$png" ] || fail "$kind $example wrote no picture"
}

# run_examples KIND: the three pictures, each checked for what the example draws.
run_examples() {
  local kind=$1
  local dir=$work/$kind width height count span count2 span2 count3 span3 count4 span4

  snapshot "$kind" live_chart "$dir/live_chart.png"
  read -r width height count span count2 span2 < <(colours "$dir/live_chart.png" "$navy" "$red")
  [ "$width.$height" = 720.440 ] || fail "$kind live_chart: a window of ${width}x$height instead of 720x440"
  at_least "$kind live_chart: signal pixels" "$count" 800
  at_least "$kind live_chart: running mean pixels" "$count2" 800
  # 13 s of signal: the time axis has moved on from 0..10 s to 5..15 s, so the traces end at
  # four fifths of the chart's width instead of filling it.
  [ "$span" -ge 400 ] && [ "$span" -le 560 ] || fail "$kind live_chart: the signal spans $span columns, not 400 to 560"

  snapshot "$kind" log_and_time_axes "$dir/log_and_time_axes.png"
  read -r width height count span count2 span2 count3 span3 count4 span4 < <(colours "$dir/log_and_time_axes.png" "$navy" "$green" "$red" "$maroon")
  at_least "$kind log_and_time_axes: width" "$width" 780
  at_least "$kind log_and_time_axes: curve pixels" "$count" 1000
  at_least "$kind log_and_time_axes: columns of the curve" "$span" 600
  at_least "$kind log_and_time_axes: pixels of the reading cross-hair" "$count2" 800
  at_least "$kind log_and_time_axes: pixels of the harvest level" "$count3" 300
  at_least "$kind log_and_time_axes: columns of the harvest level" "$span3" 600
  at_least "$kind log_and_time_axes: pixels of the plate counts" "$count4" 200

  snapshot "$kind" translated_form "$dir/form_english.png" --language english
  snapshot "$kind" translated_form "$dir/form_german.png" --language german
  read -r width height count span < <(colours "$dir/form_english.png" "$maroon")
  at_least "$kind translated_form: pixels of the readings" "$count" 600
  at_least "$kind translated_form: columns of the readings" "$span" 200
  read -r _ _ count2 _ < <(colours "$dir/form_german.png" "$maroon")
  [ "$count2" -eq "$count" ] || fail "$kind translated_form: the chart differs between the languages"
  # The buttons along the bottom carry only texts of the form's own (no run-time lookups): form
  # translation has to have rewritten them for the two languages to differ there.
  PYTHONPATH=$here python3 - "$dir/form_english.png" "$dir/form_german.png" <<'PY' ||
import sys
from pngrows import read_png
english, german = read_png(sys.argv[1]), read_png(sys.argv[2])
assert english[:2] == german[:2], "the languages' forms differ in size"
sys.exit(0 if english[3][-40:] != german[3][-40:] else 1)
PY
    fail "$kind translated_form: the buttons read the same in English and German"

  # The form from Qt Designer: magnitude and phase across the chart area, and the chart saved
  # alone in one call, as a PDF page and an SVG drawing of its size with the captions as text.
  snapshot "$kind" designer_form "$dir/designer_form.png" --save-chart "$dir/bode.pdf"
  read -r width height count span count2 span2 < <(colours "$dir/designer_form.png" "$blue" "$red")
  [ "$width.$height" = 640.480 ] || fail "$kind designer_form: a window of ${width}x$height instead of 640x480"
  at_least "$kind designer_form: magnitude pixels" "$count" 400
  at_least "$kind designer_form: columns of the magnitude" "$span" 500
  at_least "$kind designer_form: phase pixels" "$count2" 400
  at_least "$kind designer_form: columns of the phase" "$span2" 500
  pdfinfo "$dir/bode.pdf" >"$work/logs/bode-pdfinfo.log" || fail "$kind designer_form: SaveAs wrote no readable PDF"
  grep -Eq '^Page size: +[0-9]+ x [0-9]+ pts' "$work/logs/bode-pdfinfo.log" || fail "$kind designer_form: the PDF has no page size"
  pdftotext "$dir/bode.pdf" - | tr -d ' \n' | grep -q 'phase/deg' || fail "$kind designer_form: the PDF lacks the phase axis's caption as text"
  step "$kind-designer_form-svg" timeout 60 "$work/$kind/designer_form/designer_form" --save-chart "$dir/bode.svg"
  python3 - "$dir/bode.svg" <<'PY' || fail "$kind designer_form: SaveAs wrote no valid SVG with the captions as text"
import sys, xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
text = "".join("".join(e.itertext()) for e in root.iter("{http://www.w3.org/2000/svg}text"))
assert "phase/deg" in text.replace(" ", "").replace("\n", ""), text
PY
}

# The examples' own error paths: a picture that cannot be written, a language that is not there.
check_failures() {
  local kind=$1 example status
  for example in "${examples[@]}"; do
    status=0
    timeout 60 "$work/$kind/$example/$example" --snapshot "$work/no-such-folder/x.png" >"$work/logs/unwritable.log" 2>&1 || status=$?
    [ "$status" -eq 1 ] || fail "$example with an unwritable picture ended with $status instead of 1"
    grep -q "cannot write" "$work/logs/unwritable.log" || fail "$example did not say it cannot write the picture"
  done
  status=0
  timeout 60 "$work/$kind/translated_form/translated_form" --language klingon >"$work/logs/language.log" 2>&1 || status=$?
  [ "$status" -eq 2 ] || fail "translated_form with an unknown language ended with $status instead of 2"
  grep -q "no language klingon" "$work/logs/language.log" || fail "translated_form did not name the missing language"
}

# no_zeph_needed EXECUTABLE / needs_shared_zeph EXECUTABLE PREFIX
no_zeph_needed() {
  if readelf -d "$1" | grep 'NEEDED.*libzeph' >/dev/null; then fail "$(basename "$1") from the static package loads a zeph library"; fi
}
needs_shared_zeph() {
  readelf -d "$1" | grep 'NEEDED.*\[libzephchart\.so\.2\]' >/dev/null || fail "$(basename "$1") does not load libzephchart.so.2"
  ldd "$1" >"$work/logs/ldd.log"
  if grep -q "not found" "$work/logs/ldd.log"; then cat "$work/logs/ldd.log" >&2; fail "$(basename "$1") misses a library"; fi
  grep -q "libzephchart\.so\.2 => $2/lib/libzephchart\.so\.2 " "$work/logs/ldd.log" ||
    { cat "$work/logs/ldd.log" >&2; fail "$(basename "$1") does not load libzephchart.so.2 from the shared package"; }
}

static=$work/static-prefix
step static-install cmake --install "$build" --prefix "$static" --component zeph_development
# The Designer plugin in Qt's plugin folder under the prefix, a plugin Qt recognises.
plugin=$(find "$static" -path '*/qt6/plugins/designer/libzephchart_designer.so')
[ -n "$plugin" ] || fail "the Designer plugin is not installed under qt6/plugins/designer"
nm -D --defined-only "$plugin" | grep -q ' qt_plugin_instance$' || fail "the Designer plugin exports no qt_plugin_instance"
build_examples static "$static"
run_examples static
check_failures static
for example in "${examples[@]}"; do no_zeph_needed "$work/static/$example/$example"; done

# --- The shared libraries -----------------------------------------------------------------------
shared=$work/shared-prefix
step shared-configure cmake -S "$source_dir" -B "$work/shared-build" "${configure[@]}" \
  -DBUILD_SHARED_LIBS=ON -DBUILD_TESTING=OFF -DVARACTOR_PROGRAMS=OFF
step shared-build cmake --build "$work/shared-build" -j "$jobs" --target zeph_toolkit zeph_scales zeph_chart zeph_translation
step shared-install-development cmake --install "$work/shared-build" --prefix "$shared" --component zeph_development
step shared-install-libraries cmake --install "$work/shared-build" --prefix "$shared" --component zeph_libraries

# The toolkit's, the scales' and the chart's interfaces are at 2 since their setters and class
# layouts changed; the translation's is at 1.
for entry in toolkit:2 scales:2 chart:2 translation:1; do
  library=${entry%%:*} major=${entry##*:}
  file=$shared/lib/libzeph$library.so.$major.0
  [ -f "$file" ] && [ -L "$shared/lib/libzeph$library.so.$major" ] && [ -L "$shared/lib/libzeph$library.so" ] ||
    fail "libzeph$library.so is not installed with its version links"
  readelf -d "$file" | grep "SONAME.*\[libzeph$library\.so\.$major\]" >/dev/null ||
    fail "libzeph$library.so.$major.0 has not the SONAME libzeph$library.so.$major"
done
nm -C --defined-only "$shared"/lib/libzeph*.so.?.0 >"$work/logs/defined.txt"
nm -D -C --defined-only "$shared"/lib/libzeph*.so.?.0 >"$work/logs/dynamic.txt"
# Exported: the zeph API, and what the templates of the C++ library and of Qt's meta-object system
# instantiate with vague linkage, the compiled-in resources' registration and the linker's marks.
awk 'NF >= 3 { $1 = ""; $2 = ""; print substr($0, 3) }' "$work/logs/dynamic.txt" |
  sed -E 's/^((non-)?virtual thunk to |typeinfo (name )?for |vtable for |VTT for |guard variable for )//' |
  grep -Ev '^(zeph::|std::|QtPrivate::|QMetaType::|QMetaSequence::|QMetaAssociation::|QMetaTypeId|q(Init|Cleanup)Resources_[a-z]+\(\)$|(_end|_edata|__bss_start|_init|_fini)$)' \
    >"$work/logs/exported.txt" || true
[ ! -s "$work/logs/exported.txt" ] || { head -n 20 "$work/logs/exported.txt" >&2; fail "the shared libraries export symbols outside the zeph API"; }
# Hidden visibility: functions of the libraries' private headers are in the libraries, not exported.
for symbol in "zeph::RegisterFontSubstitutions()" "zeph::PublishedProperties(QObject const*)"; do
  grep -qF " $symbol" "$work/logs/defined.txt" || fail "$symbol is not in the shared libraries"
  if grep -qF " $symbol" "$work/logs/dynamic.txt"; then fail "$symbol is exported"; fi
done

build_examples shared "$shared"
for example in "${examples[@]}"; do needs_shared_zeph "$work/shared/$example/$example" "$shared"; done
run_examples shared

# --- pkg-config ---------------------------------------------------------------------------------
export PKG_CONFIG_PATH=$static/lib/pkgconfig
[ "$(pkg-config --modversion zephchart)" = 1.0 ] || fail "pkg-config gives zephchart $(pkg-config --modversion zephchart) instead of 1.0"
read -r -a pkg_flags < <(pkg-config --cflags --libs zephchart)
step pkgconfig-build "${compiler[@]}" "$source_dir/tests/consumer/pkgconfig/main.cpp" -o "$work/pkgconfig-consumer" "${pkg_flags[@]}"
step pkgconfig-run timeout 60 "$work/pkgconfig-consumer" "$work/pkgconfig.png"
no_zeph_needed "$work/pkgconfig-consumer"
read -r _ _ count _ < <(colours "$work/pkgconfig.png" "$blue")
at_least "pkg-config consumer: pixels of the line" "$count" 300
unset PKG_CONFIG_PATH

# --- add_subdirectory ---------------------------------------------------------------------------
sub=$work/subdirectory
step subdirectory-configure cmake -G "Unix Makefiles" -S "$source_dir/tests/consumer/subdirectory" -B "$sub" \
  "${configure[@]}" -DZEPH_SOURCE_DIR="$source_dir"
cmake --build "$sub" --target help | sed -n 's/^\.\.\. \([^ ]*\).*/\1/p' |
  grep -Ev '\.(o|i|s)$|^(all|clean|depend|edit_cache|rebuild_cache|install(/local|/strip)?|list_install_components|app|app_autogen|zeph_(toolkit|scales|chart|translation)(_autogen)?)$' \
    >"$work/logs/foreign-targets.txt" || true
[ ! -s "$work/logs/foreign-targets.txt" ] ||
  fail "the subproject adds targets beyond the libraries: $(tr '\n' ' ' <"$work/logs/foreign-targets.txt")"
# Our warning options stay in our own folders, -Werror out of a consumer's build altogether.
python3 - "$sub/compile_commands.json" "$source_dir/tests/consumer/subdirectory/main.cpp" <<'PY' || fail "our warning options reach the consumer's build"
import json, os, sys
entries = json.load(open(sys.argv[1]))
own = [e for e in entries if os.path.realpath(e["file"]) == os.path.realpath(sys.argv[2])]
ours = [e for e in entries if "/src/zeph/" in e["file"]]
assert own and ours, "compile_commands.json lacks the consumer's or the libraries' sources"
for e in own:
    leaked = [f for f in ("-Werror", "-Wall", "-Wextra", "-Wpedantic") if f in e["command"].split()]
    assert not leaked, f"app compiles with {leaked}"
for e in ours:
    assert "-Werror" not in e["command"].split(), f"{e['file']} compiles with -Werror"
PY
step subdirectory-build cmake --build "$sub" --target app -j "$jobs"
[ -x "$sub/app" ] || fail "the consumer's app is not where its own build puts it"
step subdirectory-run timeout 60 "$sub/app" "$work/subdirectory.png"
read -r _ _ count _ < <(colours "$work/subdirectory.png" "$red")
at_least "add_subdirectory consumer: pixels of the curve" "$count" 300

# --- find_package versions ----------------------------------------------------------------------
version=$work/version
step version-1.0 cmake -S "$source_dir/tests/consumer/version" -B "$version" -DCMAKE_PREFIX_PATH="$static" \
  -DWANTED=1.0 "-DWANTED_COMPONENTS=Chart;Translation"
grep -q "ZephChart 1.0 accepted for 1.0" "$work/logs/version-1.0.log" || fail "find_package(ZephChart 1.0) did not report version 1.0"
if cmake -S "$source_dir/tests/consumer/version" -B "$version" -DWANTED=2.0 -DWANTED_COMPONENTS= >"$work/logs/version-2.0.log" 2>&1; then
  fail "find_package(ZephChart 2.0) accepted version 1.0"
fi
grep -q 'compatible with requested version "2.0"' "$work/logs/version-2.0.log" ||
  { cat "$work/logs/version-2.0.log" >&2; fail "find_package(ZephChart 2.0) failed for another reason than the version"; }
if cmake -S "$source_dir/tests/consumer/version" -B "$version" -DWANTED=1.0 -DWANTED_COMPONENTS=Plot >"$work/logs/version-plot.log" 2>&1; then
  fail "find_package(ZephChart 1.0 COMPONENTS Plot) accepted a component the package lacks"
fi

echo "$test_name: passed"
