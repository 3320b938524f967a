#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang's libFuzzer, AddressSanitizer and UBSan, and
# runs each for a bounded time from its seeds in fuzz/corpus/ (the folders fuzz/CMakeLists.txt
# names for it).
#   bash tools/fuzz.sh [SECONDS-EACH] [TARGET]...    (default: 60 s, every target)
# The corpus grown on the way stays in build-fuzz/corpus/, inputs that break a promise in
# build-fuzz/findings/; the exit status is 1 when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [SECONDS-EACH] [TARGET]..." >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_utf8 fuzz_name_order fuzz_path_text fuzz_console_arguments
                                     fuzz_source_measure fuzz_content_kind fuzz_tag_copy)

bash tools/install-deps.sh
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang-14 libfuzzer-14-dev

build=build-fuzz
# -O1 keeps the code's own assertions and gives readable reports.
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DPARVANE_FUZZ=ON -DPARVANE_SANITIZE=ON \
    -DPARVANE_BUILD_TESTS=OFF -DPARVANE_BUILD_BENCH=OFF
cmake --build "$build" -j2 --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target" findings="$build/findings/$target"
    rm -rf "$findings"
    mkdir -p "$corpus" "$findings"
    log="$build/$target.log"
    echo "== $target: $seconds s"
    mapfile -t seeds <"$build/fuzz/$target.seeds"
    # A new input the fuzzer keeps goes into the first folder; the seeds are only read.
    "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1 || true
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    found=("$findings"/*)
    [[ -e ${found[0]} ]] || found=()
    echo "$target: ${runs:-?} executions, $(ls "$corpus" | wc -l) inputs in the corpus," \
         "${#found[@]} findings"
    if [[ ${#found[@]} -gt 0 || -z $runs ]]; then
        grep -E -A12 '^(==[0-9]+==ERROR|broken:|.*runtime error)' "$log" | head -40 || tail -20 "$log"
        failed+=("$target")
    fi
done
[[ ${#failed[@]} -eq 0 ]] || { echo "findings: ${failed[*]} (see $build/findings/)"; exit 1; }
