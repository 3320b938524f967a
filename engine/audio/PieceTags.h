// The source's tags that the splitter leaves out of a piece, carried over through TagLib:
// its APEv2 tag, and its ID3v1 and APEv2 fields in the piece's ID3v2 tag, which most players
// read first.
#pragma once

#include <string>

namespace parvane {

// Copies the source's APEv2 tag into the piece where it has none, and fills the fields of
// the piece's ID3v2 tag (made where it has none) that are empty from the source's APEv2
// and ID3v1 tags; nothing the piece holds is changed. True where there was nothing to carry
// or all of it was written.
bool CarrySourceTags(const std::string& sourcePath, const std::string& piecePath);

}  // namespace parvane
