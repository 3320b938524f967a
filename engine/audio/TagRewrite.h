// Writing a piece's tags again, the one way every writer of them shares: only where the
// decoder and TagLib agree on where the leading ID3v2 tag ends (else TagLib would write over
// audio), and in the ID3v2 version the tag was read in, so no frame is converted.
#pragma once

#include <functional>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <string>

namespace parvane {

// Opens the file at path, lets edit change its tags (its ID3v2 tag, made where it has none,
// is handed over) and writes every tag back. False when the file is no MP3 file TagLib can
// write, its leading tag is one the two read differently, or the write failed.
bool RewriteTags(const std::string& path,
                 const std::function<void(TagLib::MPEG::File&, TagLib::ID3v2::Tag&)>& edit);

}  // namespace parvane
