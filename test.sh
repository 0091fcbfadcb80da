#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and UndefinedBehaviorSanitizer,
# warnings as errors) and runs every test. The release build is run.sh's and the benchmarks'.
set -euo pipefail
cd "$(dirname "$0")"

# One line as each phase ends: its wall time and the CPU time of everything run so far
# (scripts/cold-ci.sh reads these lines).
phase_start=$EPOCHREALTIME
phase() {
  local cpu
  # times runs in this shell, not in a pipeline's subshell, which would see no children.
  cpu=$(mktemp)
  times > "$cpu"
  tail -n 1 "$cpu" | awk -v phase="$1" -v start="$phase_start" -v now="$EPOCHREALTIME" '{
    split($1, u, /[ms]/); split($2, s, /[ms]/)
    printf "test.sh: %s done in %.1f s, %.1f CPU-s so far\n", phase, now - start, u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
  rm -f "$cpu"
  phase_start=$EPOCHREALTIME
}

scripts/deps.sh
phase install
build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_TESTS=ON \
  -DRIVUVE_WARNINGS_AS_ERRORS=ON
phase configure
cmake --build "$build"
phase build
cd "$build"
ctest --output-on-failure -j "$(nproc)"
phase ctest
