#!/usr/bin/env bash
# Installs what is missing, makes a release build and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRIVUVE_SANITIZE=OFF -DRIVUVE_TESTS=OFF
cmake --build "$build"
if [ ! -x "$build/app/rivuve" ]; then
  echo "The program itself is not built yet: only its runtime libraries exist so far."
  exit 0
fi
exec "$build/app/rivuve" "$@"
