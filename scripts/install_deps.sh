#!/usr/bin/env bash
# Installs the Debian packages that are missing, and does nothing when they are all there:
#   install_deps.sh program   what building and running the simulation needs (./run.sh)
#   install_deps.sh [all]     that and what the tests, benchmarks, fuzzers and packaging checks need
# As root it installs them with apt-get; anyone else is told the one command to run.
set -euo pipefail

# Building and running the program: compiler, CMake, the Qt modules it links, the fonts its
# windows are designed with. A library the program links belongs here.
program_packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev fonts-liberation2 fonts-dejavu-core)
# Only the tests, benchmarks, fuzzers and the checks of the installed program and its package.
test_packages=(ccache clang libclang-rt-14-dev libqt6opengl6-dev libgtest-dev libgmock-dev libbenchmark-dev
               libqcustomplot-dev xvfb xauth xdotool x11-utils openbox imagemagick python3 procps time
               desktop-file-utils appstream lintian man-db groff-base dpkg-dev file doxygen pkgconf
               at-spi2-core python3-pyatspi dbus dbus-bin dbus-x11 qt6-tools-dev qt6-tools-dev-tools sox
               poppler-utils util-linux fontconfig acl attr
               orca speech-dispatcher speech-dispatcher-espeak-ng pulseaudio pulseaudio-utils)

case ${1:-all} in
  program) packages=("${program_packages[@]}") ;;
  all) packages=("${program_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [program|all]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them with this command, then start again:" >&2
  echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
