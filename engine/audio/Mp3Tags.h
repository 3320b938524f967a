// The tags of MP3 files, through TagLib: how many bytes they take, a piece's number, and the
// mark that tells a piece of ours from a file of the user's that merely has a piece's name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace parvane {

struct TagBytesOf {
    std::int64_t atStart = 0;  // the ID3v2 tag
    std::int64_t atEnd = 0;    // the APE and ID3v1 tags
};

// The bytes of an open file's tags; 0 where it has none or a stop was asked for while they
// were looked for.
TagBytesOf TagBytes(int fd, const std::function<bool()>& stopRequested);

// Sets the piece's track to "number/count" in its ID3v2 tag, and its number in an ID3v1 tag
// it has, and marks it as a piece of the source named sourceName (a file name, no folder);
// every other tag and frame stays as it is. A piece without an ID3v2 tag gets one that
// holds only these. False when the file could not be written.
bool NumberTrack(const std::string& path, std::int64_t number, std::int64_t count,
                 const std::string& sourceName);

// True when the open file is an MP3 file that NumberTrack marked as a piece of sourceName.
bool IsPieceOf(int fd, const std::string& sourceName);

}  // namespace parvane
