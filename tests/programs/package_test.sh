#!/usr/bin/env bash
# The Debian package: its control fields, its files, lintian without errors, and the program
# extracted from it (dpkg -x) running off screen with the build tree out of sight.
source "$(dirname "$0")/install_common.sh"

(cd "$work" && cpack -G DEB -B "$work/pkg" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/pkg/varactor_*_amd64.deb 2>/dev/null || ls "$work"/pkg/varactor_*.deb)
[ -f "$deb" ] || fail "no package built"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = varactor ] || fail "package name $(field Package)"
[ "$(field Version)" = 1.0-1 ] || fail "version $(field Version)"
[ "$(field Section)" = education ] || fail "section $(field Section)"
field Maintainer | grep -Eq '^[^<]+ <[^@>]+@[^>]+>$' || fail "maintainer field $(field Maintainer)"
field Depends | grep -q 'libqt6widgets6' || fail "dependencies not computed from the libraries: $(field Depends)"
field Depends | grep -q 'libc6' || fail "no libc6 dependency: $(field Depends)"
[ "$(field Description | wc -l)" -ge 3 ] || fail "no long description"
field Recommends | grep -q 'pulseaudio-utils | pipewire-bin | alsa-utils | sox' ||
  fail "no sound player recommended: $(field Recommends)"

dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/contents.txt"
for file in ./usr/bin/varactor ./usr/share/varactor/german.itl ./usr/share/man/man1/varactor.1.gz \
            ./usr/share/applications/org.example.varactor.desktop ./usr/share/metainfo/org.example.varactor.metainfo.xml \
            ./usr/share/icons/hicolor/256x256/apps/varactor.png ./usr/share/doc/varactor/copyright \
            ./usr/share/doc/varactor/changelog.Debian.gz; do
  grep -qx -- "$file" "$work/contents.txt" || fail "$file is not in the package"
done
! grep -v '^\./usr/' "$work/contents.txt" | grep -q . || fail "the package installs outside /usr"
# The libraries' headers and package files are for developers, not in the program's package.
! grep -q '^\./usr/include/\|/cmake/\|/pkgconfig/' "$work/contents.txt" || fail "the package holds development files"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || true
grep -q . "$work/lintian.txt" && cat "$work/lintian.txt"
! grep -q '^E: ' "$work/lintian.txt" || fail "lintian reports errors"
! grep -q 'lintian: fatal' "$work/lintian.txt" || fail "lintian did not run: $(cat "$work/lintian.txt")"

dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/varactor
file "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file "$program")"
grep -qx 'License: MIT' "$work/root/usr/share/doc/varactor/copyright" ||
  fail "the copyright file does not grant the MIT licence"
grep -q '<project_license>MIT</project_license>' "$work/root/usr/share/metainfo/org.example.varactor.metainfo.xml" ||
  fail "the metainfo does not name the MIT licence"
zcat "$work/root/usr/share/doc/varactor/changelog.Debian.gz" | head -n 1 | grep -q '^varactor (1.0-1) ' ||
  fail "the changelog does not begin with this version"

"${hidden[@]}" "$program" --render "$work/charts.png" --position -1000 2>"$work/err" || fail "the extracted program: $(cat "$work/err")"
[ "$(identify -format '%wx%h' "$work/charts.png")" = "687x384" ] || fail "the extracted program drew no charts"
"${hidden[@]}" "$program" --version | grep -qx 'varactor 1.0' || fail "the extracted program's --version"
[ "$(window_title "${hidden[@]}" "$program")" = "Varactor Diode" ] || fail "the extracted program's window is not English"
[ "$(window_title "${hidden[@]}" "$program" --language german)" = "Kapazitätsdiode" ] ||
  fail "the extracted program's window is not German with --language german"

echo "$test_name: passed"
