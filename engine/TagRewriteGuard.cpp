#include "TagRewriteGuard.h"

#include <id3v2header.h>
#include <id3v2tag.h>

namespace parvane {

namespace {

// The decoder skips an ID3v2 tag at the start by the size in its header, but reads on
// through a header with a version byte of 0xFF or a size that is not a synchsafe integer;
// TagLib takes any such header for a tag, and joins a run of them into one. Where the two
// differ, the bytes TagLib would write over as the tag may hold audio. TagLib does not
// tell how it read the header, so its bytes are looked at here.
bool DecoderSkipsAsTagLibWrites(TagLib::MPEG::File& file) {
    file.seek(0);
    const TagLib::ByteVector start = file.readBlock(TagLib::ID3v2::Header::size());
    if (start.size() < TagLib::ID3v2::Header::size() ||
        !start.startsWith(TagLib::ID3v2::Header::fileIdentifier())) {
        return false;
    }
    const auto byte = [&start](unsigned int at) { return static_cast<unsigned char>(start[at]); };
    constexpr unsigned int kMajorVersion = 3;
    constexpr unsigned int kRevision = 4;
    constexpr unsigned int kSize = 6;
    if (byte(kMajorVersion) == 0xFF || byte(kRevision) == 0xFF) {
        return false;
    }
    for (unsigned int at = kSize; at < TagLib::ID3v2::Header::size(); ++at) {
        if (byte(at) >= 0x80) {
            return false;
        }
    }
    return TagLib::ID3v2::Header(start).completeTagSize() ==
           file.ID3v2Tag()->header()->completeTagSize();
}

}  // namespace

bool TagLibRewritesSafely(TagLib::MPEG::File& file) {
    return !file.hasID3v2Tag() || DecoderSkipsAsTagLibWrites(file);
}

}  // namespace parvane
