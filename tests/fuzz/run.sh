#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UBSan, every library instrumented) and runs each
# for a bounded time, seeded from tests/fuzz/corpus/<target>/, at most two at a time so that a shared
# machine keeps its other cores. Usage: tests/fuzz/run.sh [seconds per target] [target ...] (default 60
# seconds, every target with a seed corpus). Inputs the fuzzer finds go to build/fuzz/corpus/<target>/; a crash leaves its
# input in build/fuzz/ and makes the command fail. A dictionary tests/fuzz/dict/<target>.dict is used when
# there is one. Not part of ./test.sh, which replays the seeds only.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
targets=()
for corpus in tests/fuzz/corpus/*/; do
  targets+=("$(basename "$corpus")")
done
[ $# -gt 1 ] && targets=("${@:2}")
out=build/fuzz
parallel=2

CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_FUZZ=ON \
  -DRIVUVE_TESTS=OFF >/dev/null
cmake --build "$out" -j"$parallel" --target "${targets[@]/%/_fuzz}"

run() {
  local target=$1
  mkdir -p "$out/corpus/$target"
  local dict=()
  [ -f "tests/fuzz/dict/$target.dict" ] && dict=(-dict="../../tests/fuzz/dict/$target.dict")
  # Pictures are refused beyond 64 megapixels before anything is allocated; the memory limit leaves room
  # for the largest picture that is read.
  (cd "$out" && "./tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
     -max_len=65536 -artifact_prefix="./${target}-" -print_final_stats=1 "${dict[@]}" \
     "corpus/$target" "../../tests/fuzz/corpus/$target" >"${target}.log" 2>&1)
}

status=0
pids=()
names=()
finish() {
  local pid=$1 name=$2
  if wait "$pid"; then
    echo "fuzz: $name clean"
  else
    echo "fuzz: $name FAILED, see $out/$name.log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$out/$name.log" || true
}
for target in "${targets[@]}"; do
  if [ ${#pids[@]} -ge $parallel ]; then
    finish "${pids[0]}" "${names[0]}"
    pids=("${pids[@]:1}")
    names=("${names[@]:1}")
  fi
  echo "fuzz: $target for ${seconds}s"
  run "$target" &
  pids+=($!)
  names+=("$target")
done
for i in "${!pids[@]}"; do
  finish "${pids[$i]}" "${names[$i]}"
done
exit $status
