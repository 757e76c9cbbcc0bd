#!/usr/bin/env bash
# Saves a picture of every window into a folder, without a display (Qt's offscreen platform):
# NAME.png at the window's own size and NAME-small.png at the smallest size it allows.
#
#   scripts/screenshots.sh [FOLDER] [NAME-PART]     (default folder: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${TREVOLK_BUILD_DIR:-build}"
folder="${1:-$build/screenshots}"

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target trevolk-screenshots
QT_QPA_PLATFORM=offscreen "$build/app/ui/trevolk-screenshots" "$folder" "${2:-}"
