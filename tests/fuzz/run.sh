#!/usr/bin/env bash
# Builds one libFuzzer target per picture reader (clang, with AddressSanitizer and UBSan) and runs each
# for a bounded time, seeded from tests/fuzz/corpus/<reader>/. Usage: tests/fuzz/run.sh [seconds per reader]
# (default 60). Inputs the fuzzer finds go to build/fuzz/corpus/<reader>/; a crash leaves its input in
# build/fuzz/ and makes the command fail. Not part of ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
readers=(png jpeg bmp ico gif wmf emf)
out=build/fuzz
mkdir -p "$out"

flags=(-std=c++20 -O1 -g -fno-omit-frame-pointer -I. -Wall -Wextra -Werror
       -fsanitize=address,undefined -fno-sanitize-recover=undefined)
sources=(Image PngCodec JpegCodec BmpCodec IcoCodec GifCodec WmfReader EmfRecords)
objects=()
for unit in "${sources[@]}"; do
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link -c "platform/win/$unit.cpp" -o "$out/$unit.o"
  objects+=("$out/$unit.o")
done

status=0
for reader in "${readers[@]}"; do
  name="$(tr '[:lower:]' '[:upper:]' <<<"${reader:0:1}")${reader:1}"
  clang++ "${flags[@]}" -fsanitize=fuzzer "tests/fuzz/${name}Fuzz.cpp" "${objects[@]}" -lpng -ljpeg -lz \
    -o "$out/${reader}_fuzz"
  mkdir -p "$out/corpus/$reader"
  echo "fuzz: $reader for ${seconds}s"
  # An image may take up to 2^28 pixels (1 GiB); the memory limit leaves room for that.
  if ! (cd "$out" && "./${reader}_fuzz" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
          -max_len=65536 -artifact_prefix="./${reader}-" -print_final_stats=1 \
          "corpus/$reader" "../../tests/fuzz/corpus/$reader" 2>"${reader}.log"); then
    echo "fuzz: $reader FAILED, see $out/${reader}.log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$out/${reader}.log" || true
done
exit $status
