#include "engine/audio/PieceTags.h"

#include <apetag.h>
#include <id3v1tag.h>
#include <id3v2tag.h>
#include <mpegfile.h>

#include "engine/audio/TagRewrite.h"
#include "engine/names/PathText.h"

namespace parvane {

bool CarrySourceTags(const std::string& sourcePath, const std::string& piecePath) {
    // Windows takes a name in any script only as wide characters; the name outlives the file.
    const std::filesystem::path name = PathFromUtf8(sourcePath);
    TagLib::MPEG::File source(name.c_str(), false);
    if (!source.isValid() || (!source.hasAPETag() && !source.hasID3v1Tag())) {
        return true;
    }
    return RewriteTags(piecePath, [&](TagLib::MPEG::File& piece, TagLib::ID3v2::Tag& id3v2) {
        if (source.hasAPETag()) {
            if (!piece.hasAPETag()) {
                TagLib::APE::Tag* ape = piece.APETag(true);
                for (const auto& [key, item] : source.APETag()->itemListMap()) {
                    ape->setItem(key, item);
                }
            }
            TagLib::Tag::duplicate(source.APETag(), &id3v2, false);
        }
        if (source.hasID3v1Tag()) {
            TagLib::Tag::duplicate(source.ID3v1Tag(), &id3v2, false);
        }
    });
}

}  // namespace parvane
