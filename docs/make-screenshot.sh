#!/usr/bin/env bash
# Starts the window on a virtual X display with MP3 files made on the spot in a deep folder,
# enlarges it, sets the piece length to 0:05, presses "Split!" and saves a picture of the
# window in the middle of the job as docs/screenshot.png.
# Usage: bash docs/make-screenshot.sh [BUILD-FOLDER]
# Needs xvfb, x11-utils, xdotool, imagemagick, sox, lame and mp3splt
# (tools/install-deps.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/app/parvane" ]; then
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" -j2 --target parvane >/dev/null
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A folder deep enough that the names are cut even in the larger window.
lectures="$scratch/Home/Lectures/Linear algebra and its applications, second year/Recordings from the hall"
mkdir -p "$lectures"
# Mono and a low rate keep the encoding quick; six minutes give each file 72 pieces.
sox -n -r 22050 -c 1 "$scratch/tone.wav" synth 360 sine 440
lame --quiet -b 32 "$scratch/tone.wav" "$lectures/week-1.mp3"
for week in 2 3 4 5 6 7 8 9 10 11 12; do cp "$lectures/week-1.mp3" "$lectures/week-$week.mp3"; done

# Inside the virtual display: start the window with the files, wait until it is mapped
# and painted, make it larger, pick 0:05 with the keyboard (the chooser is fifth in the
# tab order), press "Split!" (in the larger window 110 pixels lower than at the start),
# take the picture while the first file is cut, end the program.
capture='
    "$1" "$3"/week-{1..12}.mp3 & program=$!
    for _ in $(seq 100); do
        xwininfo -name Parvane 2>/dev/null | grep -q "Map State: IsViewable" && break
        sleep 0.1
    done
    sleep 1
    window=$(xdotool search --name "^Parvane$" | head -n 1)
    xdotool windowsize --sync "$window" 760 356
    xdotool windowfocus --sync "$window"
    xdotool key --window "$window" Tab Tab Tab Tab Home
    xdotool mousemove --window "$window" 424 282 click 1
    sleep 0.6
    import -window Parvane "$2"
    kill "$program"
    wait "$program" 2>/dev/null || true
'
# BROWSER=true: the now-and-then home-page opening of a start must not open a browser here.
BROWSER=true ASAN_OPTIONS=detect_leaks=0 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    bash -c "$capture" capture "$build/app/parvane" docs/screenshot.png "$lectures"
echo "docs/screenshot.png"
