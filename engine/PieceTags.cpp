#include "PieceTags.h"

#include <apetag.h>
#include <id3v1tag.h>
#include <id3v2header.h>
#include <id3v2tag.h>
#include <mpegfile.h>

#include "TagRewriteGuard.h"

namespace parvane {

bool CarrySourceTags(const std::string& sourcePath, const std::string& piecePath) {
    TagLib::MPEG::File source(sourcePath.c_str(), false);
    if (!source.isValid() || (!source.hasAPETag() && !source.hasID3v1Tag())) {
        return true;
    }
    TagLib::MPEG::File piece(piecePath.c_str(), false);
    if (!piece.isValid() || piece.readOnly() || !TagLibRewritesSafely(piece)) {
        return false;
    }
    const bool hadId3v2 = piece.hasID3v2Tag();
    TagLib::ID3v2::Tag* id3v2 = piece.ID3v2Tag(true);
    // Written again in the version it was read in, so no frame is converted.
    const TagLib::ID3v2::Version version =
        hadId3v2 && id3v2->header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    if (source.hasAPETag()) {
        if (!piece.hasAPETag()) {
            TagLib::APE::Tag* ape = piece.APETag(true);
            for (const auto& [key, item] : source.APETag()->itemListMap()) {
                ape->setItem(key, item);
            }
        }
        TagLib::Tag::duplicate(source.APETag(), id3v2, false);
    }
    if (source.hasID3v1Tag()) {
        TagLib::Tag::duplicate(source.ID3v1Tag(), id3v2, false);
    }
    return piece.save(TagLib::MPEG::File::AllTags, TagLib::File::StripNone, version,
                      TagLib::File::DoNotDuplicate);
}

}  // namespace parvane
