#!/usr/bin/env bash
# Installs what is missing, builds everything with the sanitizers and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_TESTS=ON
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
