#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need; does nothing when
# they are all there already.
set -euo pipefail
packages=(cmake g++ make ccache clang libclang-rt-14-dev
          qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6opengl6-dev libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev libqcustomplot-dev
          fonts-liberation2 fonts-dejavu-core xvfb xauth xdotool x11-utils openbox imagemagick python3 procps)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
