#!/usr/bin/env bash
# clang-tidy over the program's own folders with the checks of .clang-tidy; exits 1 on any
# finding. Without arguments it reads every source of engine/, wording/, filelist/, cli/,
# ui/ and app/; with file paths, only those. The tests, benchmarks and fuzz targets are
# left out: their shortcuts (fixed buffers, std::getenv in set-up) are theirs to take.
# Build folder: build-tidy (TIDY_BUILD_DIR), configured here with the compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TIDY_BUILD_DIR:-build-tidy}
jobs=${TIDY_JOBS:-$(nproc)}
command -v run-clang-tidy-14 >/dev/null || { echo "clang-tidy 14 is missing: apt-get install clang-tidy"; exit 2; }
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DPARVANE_BUILD_TESTS=OFF -DPARVANE_BUILD_BENCH=OFF >/dev/null
# The Qt sources include what moc and rcc write; those are made first.
mapfile -t autogen < <(cmake --build "$build" --target help | sed -n 's/^\.\.\. \(.*_autogen\)$/\1/p')
cmake --build "$build" -j"$jobs" --target "${autogen[@]}" >/dev/null
if (($#)); then
    mapfile -t files < <(realpath "$@")
    pattern=$(printf '%s|' "${files[@]}")
    pattern="^(${pattern%|})$"
else
    pattern="^$PWD/(engine|wording|filelist|cli|ui|app)/"
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run-clang-tidy-14 -p "$build" -quiet -j "$jobs" "$pattern" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$log" || true
if grep -q -E '(error|warning): .*\[[a-z]' "$log"; then
    grep -E -A3 '(error|warning): .*\[[a-z]' "$log"
    echo "clang-tidy: $(grep -c -E '(error|warning): .*\[[a-z]' "$log") findings"
    exit 1
fi
if grep -q -E 'error:|Error while processing' "$log"; then
    cat "$log"
    exit 2
fi
echo "clang-tidy: no findings"
