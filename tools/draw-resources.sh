#!/usr/bin/env bash
# Repaints the pictures in resources/ from tools/draw-resources (commit the results).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S tools/draw-resources -B build-draw-resources -DPARVANE_WERROR=ON >/dev/null
cmake --build build-draw-resources -j2 >/dev/null
QT_QPA_PLATFORM=offscreen build-draw-resources/draw-resources resources
