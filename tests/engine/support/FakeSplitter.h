// A stand-in for mp3splt, written as a small script into a scratch application folder.
// It reads SRC START END -o NAME -d DIR like the real one and writes DIR/NAME.mp3 of a
// chosen size for every start below a chosen playing time, nothing past it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "TestSupport.h"

namespace parvane::testing {

class FakeSplitter {
public:
    FakeSplitter();
    // Pieces starting at or past durationSeconds are not written; the others get
    // pieceSize bytes unless their number has a size of its own. A hanging splitter
    // writes its piece and then never ends on its own.
    void Configure(int durationSeconds, std::int64_t pieceSize = 1000,
                   const std::map<int, std::int64_t>& pieceSizes = {},
                   bool hangAfterWriting = false);
    std::string ApplicationFolder() const { return folder_.path().string(); }
    std::string Path() const { return folder_ / "mp3splt"; }

private:
    TempFolder folder_;
};

}  // namespace parvane::testing
