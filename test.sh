#!/usr/bin/env bash
# Installs what is missing, builds the release configuration (as run.sh and bench/ use it) and the
# sanitizer configuration, and runs every test in the latter.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DRIVUVE_SANITIZE=OFF -DRIVUVE_TESTS=OFF
cmake --build build/release
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_TESTS=ON
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
