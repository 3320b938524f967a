#!/usr/bin/env bash
# Installs what is needed, builds with AddressSanitizer and UBSan, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DPARVANE_SANITIZE=ON -DPARVANE_WERROR=ON
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
