#!/usr/bin/env bash
# Installs what is needed, builds Parvane (Release, in build/) and starts it.
#   tools/run.sh [FILE]...                         the window, with those files in its list; on a
#                                                  machine without a display it runs on a
#                                                  virtual one (xvfb-run)
#   tools/run.sh --console [--every M:SS] FILE...  cuts the given files with the console front end
#   tools/run.sh --console                         a console demonstration: a 25-second MP3
#                                                  made here, cut every 0:10
set -euo pipefail
# Stays in the caller's folder, so relative FILE names mean what the caller meant.
root="$(cd "$(dirname "$0")/.." && pwd)"

console=false
if [[ "${1:-}" == "--console" ]]; then
    console=true
    shift
fi

bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DPARVANE_SANITIZE=OFF \
    -DPARVANE_BUILD_TESTS=OFF -DPARVANE_BUILD_BENCH=OFF
cmake --build "$root/build" -j"$(nproc)"

if ! $console; then
    window="$root/build/app/parvane"
    if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
        echo "No display: the window runs on a virtual X display (xvfb-run). Stop it with Ctrl+C."
        exec xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" "$window" "$@"
    fi
    exec "$window" "$@"
fi

splitter="$root/build/cli/parvane-split"
if [[ $# -gt 0 ]]; then
    exec "$splitter" "$@"
fi

demo="$(mktemp -d -t parvane-demo.XXXXXX)"
sox -n -r 44100 -c 2 "$demo/demo.wav" synth 25 sine 440 vol 0.5
lame --quiet -b 128 "$demo/demo.wav" "$demo/demo.mp3"
rm "$demo/demo.wav"
echo "Splitting a 25-second demo file every 0:10:"
status=0
"$splitter" --every 0:10 "$demo/demo.mp3" || status=$?
echo
echo "Pieces in $demo:"
ls -l "$demo"
exit "$status"
