#!/usr/bin/env bash
# Builds everything and runs the whole test suite: the Release build with every test and the API
# documentation, the unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the fuzzers for a while.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_deps.sh all
jobs=$(nproc)

scripts/build.sh build -DBUILD_TESTING=ON -DVARACTOR_TESTS_REQUIRED=ON
# The libraries' API documentation: any Doxygen warning fails the target.
cmake --build build --target docs
(cd build && ctest --output-on-failure --timeout 600 -j "$jobs")

scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DVARACTOR_SANITIZE=ON -DVARACTOR_PROGRAMS=OFF -DBUILD_TESTING=ON -DVARACTOR_TESTS_REQUIRED=ON
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure --timeout 900 -j "$jobs" -L unit)

scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DVARACTOR_FUZZ=ON
scripts/run_fuzzers.sh build-fuzz/bin
