#!/usr/bin/env bash
# ./run.sh: it asks only for the packages that building and running the program needs (none of
# the tests' packages), tells a user who is not root the one apt-get line instead of calling sudo,
# builds quietly, and without a display passes its arguments on and names the picture it drew.
# apt-get, dpkg-query, sudo and id are stand-ins here, so nothing is really installed.
set -euo pipefail

source_dir=${VARACTOR_SOURCE_DIR:?VARACTOR_SOURCE_DIR must name the source tree}
build=${VARACTOR_BUILD_DIR:?VARACTOR_BUILD_DIR must name the build tree}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "run_script_test: FAIL: $*" >&2
  exit 1
}

mkdir "$work/fake"
# Installed are the packages in $FAKE_INSTALLED (all of them when it is "*").
cat >"$work/fake/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
package=${!#}
[ "$FAKE_INSTALLED" = "*" ] || [[ " $FAKE_INSTALLED " == *" $package "* ]] || exit 1
echo "install ok installed"
FAKE
cat >"$work/fake/apt-get" <<FAKE
#!/usr/bin/env bash
echo "\$*" >>"$work/apt.log"
FAKE
cat >"$work/fake/sudo" <<FAKE
#!/usr/bin/env bash
echo "\$*" >>"$work/sudo.log"
exit 1
FAKE
cat >"$work/fake/id" <<'FAKE'
#!/usr/bin/env bash
[ "$1" = -u ] && [ -n "${FAKE_UID:-}" ] && { echo "$FAKE_UID"; exit 0; }
exec /usr/bin/id "$@"
FAKE
chmod +x "$work"/fake/*
export PATH=$work/fake:$PATH VARACTOR_BUILD_DIR=$build

# requested MODE: the packages install_deps.sh MODE asks apt-get for on a machine without any.
requested() {
  rm -f "$work/apt.log"
  FAKE_INSTALLED="" "$source_dir/scripts/install_deps.sh" "$1" >/dev/null
  sed -n 's/^install -y -qq --no-install-recommends //p' "$work/apt.log" | tr ' ' '\n' | sort
}
requested program >"$work/program.txt"
requested all >"$work/all.txt"
comm -13 "$work/program.txt" "$work/all.txt" >"$work/test_only.txt"
[ -s "$work/program.txt" ] && [ -s "$work/test_only.txt" ] || fail "install_deps.sh does not tell the program's packages from the tests'"
[ -z "$(comm -23 "$work/program.txt" "$work/all.txt")" ] || fail "all does not hold everything the program needs"
for package in libgtest-dev libbenchmark-dev libqcustomplot-dev clang xvfb xdotool imagemagick lintian appstream; do
  grep -qx "$package" "$work/test_only.txt" || fail "$package is not among the tests' packages"
done
grep -qx qt6-base-dev "$work/program.txt" || fail "qt6-base-dev is not among the program's packages"
program_packages=$(tr '\n' ' ' <"$work/program.txt")

# Root, every test package absent: run.sh installs nothing, builds quietly and draws the picture
# with the arguments given, into the folder it was started from.
cd "$work"
rm -f "$work/apt.log"
FAKE_INSTALLED=$program_packages env -u DISPLAY -u WAYLAND_DISPLAY "$source_dir/run.sh" --position 500 --size 300x200 \
  >"$work/out" 2>"$work/err" || fail "run.sh failed: $(cat "$work/err")"
[ ! -e "$work/apt.log" ] || fail "run.sh installed: $(cat "$work/apt.log")"
[ "$(cat "$work/out")" = "No display found: the simulation's charts are in $work/varactor.png" ] ||
  fail "run.sh said: $(cat "$work/out")"
"$build/bin/varactor" --render "$work/expected.png" --position 500 --size 300x200 2>/dev/null
cmp -s "$work/varactor.png" "$work/expected.png" || fail "run.sh did not draw position 500 at 300x200"
! grep -q '%\]' "$work/err" || fail "run.sh showed build progress"

# Its own options need no picture.
FAKE_INSTALLED="*" env -u DISPLAY "$source_dir/run.sh" --version >"$work/out" 2>"$work/err" || fail "run.sh --version"
[ "$(cat "$work/out")" = "varactor 1.0" ] || fail "run.sh --version said: $(cat "$work/out")"
# Files of its own go to the program as they are: no picture beside them, no word of a display.
rm -f "$work/varactor.png"
for output in "--sonify $work/s.wav" "--export-csv $work/c.csv"; do
  FAKE_INSTALLED="*" env -u DISPLAY -u WAYLAND_DISPLAY "$source_dir/run.sh" $output >"$work/out" 2>"$work/err" ||
    fail "run.sh $output: $(cat "$work/err")"
  [ ! -s "$work/out" ] || fail "run.sh $output said: $(cat "$work/out")"
done
[ -s "$work/s.wav" ] && [ -s "$work/c.csv" ] || fail "run.sh did not pass --sonify and --export-csv on"
[ ! -e "$work/varactor.png" ] || fail "run.sh drew a picture beside --sonify or --export-csv"

# A user who is not root and lacks a package the program needs: one apt-get line, no sudo tried.
status=0
FAKE_UID=1000 FAKE_INSTALLED=${program_packages/qt6-base-dev/} "$source_dir/run.sh" >"$work/out" 2>"$work/err" || status=$?
[ "$status" -ne 0 ] || fail "run.sh went on without qt6-base-dev"
[ "$(grep -c 'apt-get' "$work/err")" -eq 1 ] || fail "not one apt-get line: $(cat "$work/err")"
grep -qx '  sudo apt-get install --no-install-recommends qt6-base-dev' "$work/err" || fail "the line names other packages: $(cat "$work/err")"
[ ! -e "$work/sudo.log" ] && [ ! -e "$work/apt.log" ] || fail "run.sh tried to install as a user"

# A user who is not root and lacks only test packages: nothing to install, the program runs.
FAKE_UID=1000 FAKE_INSTALLED=$program_packages env -u DISPLAY "$source_dir/run.sh" --help >"$work/out" 2>"$work/err" ||
  fail "run.sh as a user without the tests' packages: $(cat "$work/err")"
grep -q -- '--render' "$work/out" || fail "run.sh --help printed no help"

echo "run_script_test: passed"
