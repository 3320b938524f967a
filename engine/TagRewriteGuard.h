// Whether TagLib may write a file's tags again without writing over audio: the decoder and
// TagLib must agree on where the leading ID3v2 tag ends. Every writer of a piece's tags asks
// first.
#pragma once

#include <mpegfile.h>

namespace parvane {

// True when the file has no leading ID3v2 tag, or the decoder skips exactly the bytes
// TagLib takes for it.
bool TagLibRewritesSafely(TagLib::MPEG::File& file);

}  // namespace parvane
