#!/usr/bin/env bash
# Cross-builds the engine, parvane-split.exe and the Qt-free tests for 64-bit Windows and runs
# them under a headless wine: the tests through ctest (those that cannot run there are listed
# as skipped, with the reason), then parvane-split.exe itself on a sox/lame-made MP3 with a
# name in three scripts, split with mp3splt.exe from the prefix or, where it has none, after
# the missing splitter is reported, with the stand-in tests/support/SplitterStandIn.cpp.
# Usage: test.sh [BUILD-FOLDER]   (default: build-windows in the work tree)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
build=$(realpath -m "${1:-$repo/build-windows}")

fail() {
    echo "windows test: $*" >&2
    exit 1
}

prefix=$("$here/build-deps.sh" | tail -n 1)
[[ -d $prefix ]] || fail "build-deps.sh printed no prefix"

SECONDS=0
cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
    -DPARVANE_WINDOWS_PREFIX="$prefix" -DPARVANE_WERROR=ON >"$build.configure.log" 2>&1 ||
    { cat "$build.configure.log"; fail "configure failed"; }
rm -f "$build.configure.log"
# The tests are found by running them, under wine, as they are built.
mkdir -p "$build"
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[[ -d $WINEPREFIX ]] || "$wine" wineboot --init >/dev/null 2>&1 || true
cmake --build "$build" -j2 || fail "build failed"
echo "cross-built in $SECONDS s"

SECONDS=0
ctest --test-dir "$build" --output-on-failure -j2 || fail "tests failed under wine"
echo "tests under wine in $SECONDS s"

# parvane-split.exe as a user runs it.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPATH="Z:$prefix/bin"
program=$build/cli/parvane-split.exe
name="Ünïcødé тест 音.mp3"
sox -n -r 44100 -c 2 "$scratch/tone.wav" synth 12 sine 440 2>/dev/null
lame --quiet -b 128 "$scratch/tone.wav" "$scratch/$name"
mkdir "$scratch/sub"
cp "$scratch/$name" "$scratch/sub/b.mp3"

run() {
    (cd "$scratch" && "$wine" "$program" "$@" 2>"$scratch/err" | tr -d '\r' >"$scratch/out")
}
expect_status() {
    local wanted=$1
    shift
    local status=0
    run "$@" || status=$?
    ((status == wanted)) || {
        cat "$scratch/out" "$scratch/err" >&2
        fail "parvane-split.exe $* ended with $status, not $wanted"
    }
}

expect_status 0 --help
grep -q '^Usage: parvane-split' "$scratch/out" || fail "--help printed no usage"

windows_folder="Z:${scratch//\//\\}"
expect_status 0 --list "$name" --folder "$windows_folder\\sub"
[[ $(cat "$scratch/out") == "Z:$scratch/$name"$'\n'"Z:$scratch/sub/b.mp3" ]] ||
    { cat "$scratch/out" >&2; fail "--list did not print the two files by their full names"; }

expect_status 2 --every 0:07 "$name"

# A full split, twice (the second replaces the first's pieces), with the real mp3splt.exe
# when the prefix has one, else with the stand-in that cuts by whole frames; each piece is
# checked with the Linux decoder and must carry its track number.
split_and_check() {
    expect_status 0 --every 0:05 "$name"
    local piece file seconds track
    for piece in 1 2 3; do
        file="$scratch/${name%.mp3}-000$piece.mp3"
        [[ -f $file ]] || fail "piece $piece was not written"
        mpg123 -q -t "$file" 2>/dev/null || fail "piece $piece does not decode"
        seconds=$(soxi -D "$file")
        track=$(ffprobe -v error -show_entries format_tags=track -of csv=p=0 "$file")
        [[ $track == "$piece/3" ]] || fail "piece $piece is numbered \"$track\""
        awk -v s="$seconds" -v want=$((piece < 3 ? 5 : 2)) \
            'BEGIN { exit !(s > want - 0.1 && s < want + 0.1) }' ||
            fail "piece $piece plays $seconds s"
    done
    [[ -z $(find "$scratch" -name '.parvane-*') ]] || fail "a private folder was left behind"
}

if [[ -f $prefix/bin/mp3splt.exe ]]; then
    split_and_check
    split_and_check
    echo "parvane-split.exe with mp3splt.exe split a 12 s MP3 into 3 pieces, twice"
else
    expect_status 1 --every 0:05 "$name"
    grep -q 'The splitter mp3splt was not found' "$scratch/err" ||
        { cat "$scratch/err" >&2; fail "the missing splitter was not reported"; }
    [[ -z $(find "$scratch" -name '*-0001.mp3' -o -name '.parvane-*') ]] ||
        fail "a split without a splitter left files behind"
    echo "parvane-split.exe reports the missing mp3splt.exe (none in $prefix/bin)"

    mkdir "$scratch/app"
    cp "$build/cli/parvane-split.exe" "$build/tests/support/splitter/mp3splt.exe" "$scratch/app/"
    program=$scratch/app/parvane-split.exe
    split_and_check
    split_and_check
    echo "parvane-split.exe with the stand-in mp3splt.exe split a 12 s MP3 into 3 pieces, twice"
fi
echo "windows test: passed"
