#!/usr/bin/env bash
# Starts the window on a virtual X display and saves a picture of it as
# docs/screenshot.png. Usage: bash docs/make-screenshot.sh [BUILD-FOLDER]
# Needs xvfb, x11-utils and imagemagick (tools/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/ui/parvane" ]; then
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" -j2 --target parvane >/dev/null
fi

# Inside the virtual display: start the window, wait until it is mapped and painted,
# take the picture, end the program.
capture='
    "$1" & program=$!
    for _ in $(seq 100); do
        xwininfo -name Parvane 2>/dev/null | grep -q "Map State: IsViewable" && break
        sleep 0.1
    done
    sleep 1
    import -window Parvane "$2"
    kill "$program"
    wait "$program" 2>/dev/null || true
'
# BROWSER=true: the now-and-then home-page opening of a start must not open a browser here.
BROWSER=true ASAN_OPTIONS=detect_leaks=0 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    bash -c "$capture" capture "$build/ui/parvane" docs/screenshot.png
echo "docs/screenshot.png"
