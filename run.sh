#!/usr/bin/env bash
# Builds the simulation and starts it with the arguments given (varactor --help lists them).
# Without a display it draws the charts into varactor.png in the current folder instead.
# Installs only what the program needs; ./test.sh installs what the tests need.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${VARACTOR_BUILD_DIR:-$here/build}
program=$build/bin/varactor

"$here/scripts/install_deps.sh" program
[ -x "$program" ] || echo "Building the simulation in $build (a minute or two the first time) ..."
BUILD_TARGETS=varactor BUILD_QUIET=1 "$here/scripts/build.sh" "$build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  for argument in "$@"; do
    case $argument in
      --render* | --export-csv* | --sonify* | --handout* | --help | -h | --version | -v) exec "$program" "$@" ;;
    esac
  done
  picture=$PWD/varactor.png
  "$program" --render "$picture" "$@"
  echo "No display found: the simulation's charts are in $picture"
  exit 0
fi
exec "$program" "$@"
