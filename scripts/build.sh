#!/usr/bin/env bash
# Configures and builds one build tree: build.sh DIR [cmake options...]
# BUILD_TARGETS names the targets to build (all when unset). BUILD_QUIET=1 keeps the progress
# to itself: warnings and errors still show.
set -euo pipefail
dir=$1; shift
# A new tree is a Release build; one that exists keeps the type it was made with.
release=()
[ -f "$dir/CMakeCache.txt" ] || release=(-DCMAKE_BUILD_TYPE=Release)
cmake -S "$(dirname "$0")/.." -B "$dir" "${release[@]}" "$@" >/dev/null
targets=()
for target in ${BUILD_TARGETS:-}; do targets+=(--target "$target"); done
if [ "${BUILD_QUIET:-0}" = 1 ]; then
  cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}" >/dev/null
else
  cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
fi
