#!/usr/bin/env bash
# Installs what is needed, builds Parvane (Release, in build/) and runs it.
#   tools/run.sh                      a demonstration: a 25-second MP3 made here, cut every 0:10
#   tools/run.sh [--every M:SS] FILE...   cuts the given files with the console front end
#   tools/run.sh --console ...        the same, said explicitly
set -euo pipefail
# Stays in the caller's folder, so relative FILE names mean what the caller meant.
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DPARVANE_SANITIZE=OFF
cmake --build "$root/build" -j"$(nproc)"

splitter="$root/build/cli/parvane-split"
if [[ "${1:-}" == "--console" ]]; then
    shift
fi
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
