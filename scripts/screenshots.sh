#!/usr/bin/env bash
# Renders every window to docs/screenshots/*.png from the sample settings file.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target norvalis-screenshots -j"$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/norvalis-screenshots" \
    resources/Norvalis.sample.ini docs/screenshots
