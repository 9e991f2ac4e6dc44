#!/usr/bin/env bash
# cmake --install into a DESTDIR: every file the desktop needs is there, the installed tree moved
# elsewhere runs with the build tree out of sight, and the desktop entry, the AppStream metainfo
# and the man page pass their validators.
source "$(dirname "$0")/install_common.sh"

install_into "$work/dest"
mv "$work/dest" "$work/moved"
root=$work/moved/usr

for file in bin/varactor share/varactor/english.itl share/varactor/german.itl share/man/man1/varactor.1.gz \
            share/applications/org.example.varactor.desktop share/metainfo/org.example.varactor.metainfo.xml \
            share/icons/hicolor/scalable/apps/varactor.svg; do
  [ -s "$root/$file" ] || fail "$file is not installed"
done
[ -x "$root/bin/varactor" ] || fail "the program is not executable"
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/varactor.png
  [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] || fail "no ${size}px PNG icon"
done
# Nothing beside the program: that place belongs to the user's own language file.
[ "$(ls "$root/bin")" = varactor ] || fail "more than the program in bin: $(ls "$root/bin")"
! grep -q "$build" "$root/bin/varactor" || fail "the installed program names the build tree"

# The libraries' documentation and Designer plugin come with the development files.
docs=$root/share/doc/zephchart/html
for page in index.html annotated.html page_qt.html page_two_y_axes.html page_export.html \
            classzeph_1_1TZephChart.html classzeph_1_1TScale.html; do
  [ -s "$docs/$page" ] || fail "the documentation's $page is not installed"
done
grep -q 'A chart in ten lines' "$docs/index.html" || fail "the installed main page lacks its example"
! grep -Eq 'TDirtyColumns|LineRasterizer|TextCache|TChartMouseState|TSolidPolyline' "$docs/annotated.html" ||
  fail "the installed class list shows the libraries' internal classes"
! grep -rq "$build" "$docs" || fail "the installed documentation names the build tree"
for example in "$source_dir"/examples/*/; do
  name=$(basename "$example")
  diff -r "$example" "$root/share/doc/zephchart/examples/$name" >/dev/null || fail "examples/$name is not installed as it is"
done
[ -s "$root/share/doc/zephchart/examples/README.md" ] || fail "the examples' README is not installed"
[ -n "$(find "$root/lib" -path '*/qt6/plugins/designer/libzephchart_designer.so' -size +0)" ] ||
  fail "the Designer plugin is not installed in Qt's plugin folder"

# The moved install, the build tree hidden: both windowless modes and the installed languages.
"${hidden[@]}" "$root/bin/varactor" --render "$work/charts.png" --position 500 --size 600x300 2>"$work/err" ||
  fail "--render from the install: $(cat "$work/err")"
[ "$(identify -format '%wx%h' "$work/charts.png")" = "600x300" ] || fail "--render drew no 600x300 image"
blue=$(convert "$work/charts.png" txt:- | grep -c '#0000FF' || true)
[ "$blue" -gt 200 ] || fail "the rendered charts hold no curves ($blue blue pixels)"
"${hidden[@]}" "$root/bin/varactor" --export-csv "$work/curves.csv" --position 500 || fail "--export-csv from the install"
[ "$(wc -l <"$work/curves.csv")" -eq 301 ] || fail "the CSV does not hold a header and 300 rows"
"${hidden[@]}" "$root/bin/varactor" --help >"$work/help.txt" || fail "--help from the install"
grep -q "Installed languages are in $root/share/varactor\." "$work/help.txt" || fail "--help names another language folder"
[ "$(LANG=de_DE.UTF-8 window_title "${hidden[@]}" "$root/bin/varactor")" = "Kapazitätsdiode" ] ||
  fail "the moved install does not find its German language"

# The validators: no errors, no warnings.
desktop-file-validate "$root/share/applications/org.example.varactor.desktop" >"$work/desktop.txt" 2>&1 ||
  fail "desktop-file-validate: $(cat "$work/desktop.txt")"
[ ! -s "$work/desktop.txt" ] || fail "desktop-file-validate: $(cat "$work/desktop.txt")"
grep -qx 'Name\[de\]=Kapazitätsdiode' "$root/share/applications/org.example.varactor.desktop" || fail "no German name"
grep -q '^Comment\[de\]=' "$root/share/applications/org.example.varactor.desktop" || fail "no German comment"
grep -q '^Categories=Education;' "$root/share/applications/org.example.varactor.desktop" || fail "not under Education"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/org.example.varactor.metainfo.xml" >"$work/as.txt" 2>&1 ||
  fail "appstreamcli: $(cat "$work/as.txt")"
! grep -Eq '^(E|W|I|P):' "$work/as.txt" || fail "appstreamcli: $(cat "$work/as.txt")"
for category in Education Science; do
  grep -q "<category>$category</category>" "$root/share/metainfo/org.example.varactor.metainfo.xml" ||
    fail "the metainfo lacks the category $category"
done
grep -q '<content_rating type="oars-1.1"' "$root/share/metainfo/org.example.varactor.metainfo.xml" || fail "no content rating"

MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings=w -l "$root/share/man/man1/varactor.1.gz" >"$work/man.txt" 2>"$work/man.err" ||
  fail "man -l failed: $(cat "$work/man.err")"
[ ! -s "$work/man.err" ] || fail "the man page renders with warnings: $(cat "$work/man.err")"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS FILES ENVIRONMENT "EXIT STATUS"; do
  grep -qx "$section" "$work/man.txt" || fail "the man page has no $section section"
done
# Every option that --help lists is in the man page.
options=$(grep -oE '^  (-[a-z], )?--[a-z-]+' "$work/help.txt" | grep -oE -- '--[a-z-]+')
[ -n "$options" ] || fail "no options found in --help"
for option in $options; do
  grep -q -- "$option" "$work/man.txt" || fail "the man page does not describe $option"
done
for name in XDG_CONFIG_HOME varactor.itl LC_MESSAGES LANGUAGE; do
  grep -q "$name" "$work/man.txt" || fail "the man page does not mention $name"
done

echo "$test_name: passed"
