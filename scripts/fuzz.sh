#!/usr/bin/env bash
# Builds every libFuzzer target with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each for the given number of seconds (default 60).
#
# Each target NAME keeps its corpus in build-fuzz/corpus/NAME; an empty corpus is seeded with the
# files of test/data whose names start with NAME without "fuzz_" (test/data/ini* for fuzz_ini).
# Crash inputs land in build-fuzz/artifacts/. Exits non-zero when any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DTREVOLK_FUZZ=ON -DTREVOLK_WITH_UI=OFF -DTREVOLK_WITH_TESTS=OFF \
  -DTREVOLK_SANITIZE=address,undefined
nice -n 5 cmake --build "$build" --target fuzzers -j2

mkdir -p "$build/artifacts"
failed=()
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  if [ -z "$(ls -A "$corpus")" ]; then
    for seed in test/data/"${name#fuzz_}"*; do
      [ -f "$seed" ] && cp "$seed" "$corpus/"
    done
  fi
  log="$build/$name.log"
  echo "== $name: $seconds s"
  if nice -n 5 "$target" "$corpus" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" >"$log" 2>&1; then
    grep -E '^(Done [0-9]+ runs|stat::number_of_executed_units)' "$log" || tail -n 3 "$log"
  else
    echo "$name FAILED, last lines of $log:"
    tail -n 40 "$log"
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}"
  exit 1
fi
echo "All fuzz targets ran clean."
