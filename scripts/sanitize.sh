#!/usr/bin/env bash
# Builds and runs the test suite under AddressSanitizer with UndefinedBehaviorSanitizer,
# then the threaded tests (label "threads") under ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTREVOLK_SANITIZE=address,undefined
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j2 --timeout 600

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTREVOLK_SANITIZE=thread -DTREVOLK_WITH_UI=OFF
cmake --build build-tsan
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
  ctest --test-dir build-tsan --output-on-failure -j2 --timeout 600 -L threads
