#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UBSan, every library instrumented) and runs each
# for a bounded time, seeded from tests/fuzz/corpus/<reader>/. Usage: tests/fuzz/run.sh [seconds per reader]
# (default 60) [reader ...] (default all). Inputs the fuzzer finds go to build/fuzz/corpus/<reader>/; a crash
# leaves its input in build/fuzz/ and makes the command fail. A dictionary tests/fuzz/dict/<reader>.dict is
# used when there is one. Not part of ./test.sh, which replays the seeds only.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
readers=(png jpeg bmp ico gif wmf emf graphicdata script-xml script-zododuvudizu script-zppeverav script-rorozededod script-jscript
         reportxml reportresources gzip template)
[ $# -gt 1 ] && readers=("${@:2}")
out=build/fuzz

CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRIVUVE_SANITIZE=ON -DRIVUVE_FUZZ=ON \
  -DRIVUVE_TESTS=OFF >/dev/null
cmake --build "$out" --target "${readers[@]/%/_fuzz}"

status=0
for reader in "${readers[@]}"; do
  mkdir -p "$out/corpus/$reader"
  dict=()
  [ -f "tests/fuzz/dict/$reader.dict" ] && dict=(-dict="../../tests/fuzz/dict/$reader.dict")
  echo "fuzz: $reader for ${seconds}s"
  # An image may take up to 2^28 pixels (1 GiB); the memory limit leaves room for that.
  if ! (cd "$out" && "./tests/fuzz/${reader}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
          -max_len=65536 -artifact_prefix="./${reader}-" -print_final_stats=1 "${dict[@]}" \
          "corpus/$reader" "../../tests/fuzz/corpus/$reader" 2>"${reader}.log"); then
    echo "fuzz: $reader FAILED, see $out/${reader}.log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$out/${reader}.log" || true
done
exit $status
