#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the plain suite, then the sanitizer suites.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTREVOLK_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2 --timeout 300

scripts/sanitize.sh
