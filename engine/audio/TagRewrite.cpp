#include "engine/audio/TagRewrite.h"

#include <id3v2header.h>
#include <id3v2tag.h>

#include "engine/names/PathText.h"

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
    const auto byte = [&start](unsigned int at) {
        return static_cast<unsigned char>(start[static_cast<int>(at)]);
    };
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

bool RewriteTags(const std::string& path,
                 const std::function<void(TagLib::MPEG::File&, TagLib::ID3v2::Tag&)>& edit) {
    // Windows takes a name in any script only as wide characters; the name outlives the file.
    const std::filesystem::path name = PathFromUtf8(path);
    TagLib::MPEG::File file(name.c_str(), false);
    if (!file.isValid() || file.readOnly()) {
        return false;
    }
    const bool hadId3v2 = file.hasID3v2Tag();
    if (hadId3v2 && !DecoderSkipsAsTagLibWrites(file)) {
        return false;
    }
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    const TagLib::ID3v2::Version version =
        hadId3v2 && tag->header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    edit(file, *tag);
    return file.save(TagLib::MPEG::File::AllTags, TagLib::File::StripNone, version,
                     TagLib::File::DoNotDuplicate);
}

}  // namespace parvane
