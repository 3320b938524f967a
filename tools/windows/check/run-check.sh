#!/usr/bin/env bash
# Proves a prefix from tools/windows/build-deps.sh works: cross-builds the smoke tests against
# it and runs them under a headless wine (no display), then has mp3splt.exe cut a sox/lame-made
# MP3 piece by piece with the argument vector the engine passes, checking each piece with the
# Linux decoder. Usage: run-check.sh PREFIX
set -euo pipefail
prefix=$(realpath "${1:?usage: run-check.sh PREFIX}")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPREFIX=$scratch/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
export WINEPATH="Z:$prefix/bin"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)

fail() {
    echo "run-check: $*" >&2
    exit 1
}

SECONDS=0
cmake -S "$here" -B "$scratch/build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DPARVANE_WINDOWS_PREFIX="$prefix" >"$scratch/configure.log" || fail "configure failed"
cmake --build "$scratch/build" -j2 >"$scratch/build.log" || { cat "$scratch/build.log"; fail "build failed"; }
echo "cross-built the checks in $SECONDS s"

# Wine brings DLLs of its own (zlib1.dll among them), so a program that runs under wine may
# still lack one on Windows. Every DLL the programs and the shipped DLLs import must be a
# system DLL (one mingw-w64 has an import library for) or be in the prefix's bin/.
missing=0
for module in "$scratch/build/deps-check.exe" "$prefix"/bin/*.{dll,exe}; do
    [[ -f $module ]] || continue
    while read -r dll; do
        lower=${dll,,}
        if [[ ! -f /usr/x86_64-w64-mingw32/lib/lib${lower%.dll}.a ]] &&
            ! ls "$prefix/bin" | grep -qix "$dll"; then
            echo "run-check: ${module##*/} needs $dll, which is not in $prefix/bin" >&2
            missing=1
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$module" | sed -n 's/^\s*DLL Name: //p')
done
((missing == 0)) || fail "DLLs missing"
echo "every DLL imported is a system DLL or in bin/"

SECONDS=0
"$wine" wineboot --init >/dev/null 2>&1 || true
echo "wine prefix made in $SECONDS s"

# 20 seconds of tone, titled, under a name in three scripts.
source="$scratch/Ünïcødé тест 音.mp3"
sox -n -r 44100 -c 2 "$scratch/tone.wav" synth 20 sine 440 2>/dev/null
lame --quiet -b 128 --tt "Títle ñ" "$scratch/tone.wav" "$source"

SECONDS=0
output=$("$wine" "$scratch/build/deps-check.exe" "Z:$source" | tr -d '\r') ||
    fail "deps-check.exe failed"
echo "deps-check.exe: $output ($SECONDS s)"
[[ ${output#* } == "Títle ñ" ]] || fail "title read as '${output#* }'"
awk -v s="${output%% *}" 'BEGIN { exit !(s > 19.9 && s < 20.2) }' || fail "decoded ${output%% *} s"

(cd "$scratch/build" && ctest --output-on-failure >"$scratch/ctest.log") ||
    { cat "$scratch/ctest.log"; fail "gtest-check failed under wine"; }
echo "gtest-check.exe passed under ctest's emulator"

[[ -f $prefix/bin/mp3splt.exe ]] || fail "no mp3splt.exe in $prefix"
SECONDS=0
for piece in 1 2 3 4; do
    folder=$scratch/piece$piece
    mkdir "$folder"
    # The engine's vector: source, begin and end as minutes.seconds, then -o and -d.
    "$wine" "$prefix/bin/mp3splt.exe" "Z:$source" "$(printf '0.%02d' $(((piece - 1) * 5)))" \
        "$(printf '0.%02d' $((piece * 5)))" -o piece -d "Z:$folder" >"$folder.log" 2>&1 ||
        { cat "$folder.log"; fail "mp3splt.exe failed on piece $piece"; }
    made=$folder/piece.mp3
    [[ -f $made ]] || { cat "$folder.log"; fail "mp3splt.exe made no piece $piece"; }
    length=$(soxi -D "$made")
    awk -v s="$length" 'BEGIN { exit !(s > 4.9 && s < 5.1) }' || fail "piece $piece lasts $length s"
    mpg123 -q -t "$made" 2>/dev/null || fail "piece $piece does not decode"
done
echo "mp3splt.exe cut 4 pieces of 5 s under wine in $SECONDS s"
