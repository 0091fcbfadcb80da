#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors) and runs every test. The release build is run.sh's and the benchmarks'.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_TESTS=ON \
  -DRIVUVE_WARNINGS_AS_ERRORS=ON
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
