#include "FakeSplitter.h"

namespace parvane::testing {

namespace {

// Sizes are made with truncate, so even pieces of gigabytes cost nothing.
constexpr const char* kScript = R"(#!/bin/sh
here=$(dirname "$0")
. "$here/fake.conf"
source=$1 start=$2 end=$3 name=$5 dir=$7
[ -f "$source" ] || exit 1
seconds() {
    minutes=${1%.*} rest=${1#*.}
    echo $(( minutes * 60 + ${rest#0} ))
}
from=$(seconds "$start") to=$(seconds "$end")
[ "$from" -lt "$DURATION" ] || exit 1
piece=$(( from / (to - from) + 1 ))
eval "size=\${SIZE_$piece:-$SIZE}"
truncate -s "$size" "$dir/$name.mp3" || exit 1
[ -z "$HANG" ] || exec sleep 30
exit 0
)";

}  // namespace

FakeSplitter::FakeSplitter() {
    WriteFile(folder_ / "mp3splt", kScript, true);
    Configure(0);
}

void FakeSplitter::Configure(int durationSeconds, std::int64_t pieceSize,
                             const std::map<int, std::int64_t>& pieceSizes,
                             bool hangAfterWriting) {
    std::string config = "DURATION=" + std::to_string(durationSeconds) + "\n" +
                         "SIZE=" + std::to_string(pieceSize) + "\n" +
                         "HANG=" + (hangAfterWriting ? "1" : "") + "\n";
    for (const auto& [number, size] : pieceSizes) {
        config += "SIZE_" + std::to_string(number) + "=" + std::to_string(size) + "\n";
    }
    WriteFile(folder_ / "fake.conf", config);
}

}  // namespace parvane::testing
