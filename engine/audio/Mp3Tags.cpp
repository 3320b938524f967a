#include "engine/audio/Mp3Tags.h"

#include <apefooter.h>
#include <apetag.h>
#include <id3v1tag.h>
#include <id3v2framefactory.h>
#include <id3v2header.h>
#include <id3v2tag.h>
#include <memory>
#include <mpegfile.h>
#include <textidentificationframe.h>

#include "engine/audio/DescriptorStream.h"
#include "engine/audio/TagRewrite.h"
#include "engine/names/NumberText.h"

namespace parvane {

namespace {

// A user text frame (TXXX) of this description holds the source's file name.
constexpr const char* kPieceMarkDescription = "Parvane piece of";

void MarkAsPieceOf(TagLib::ID3v2::Tag& tag, const std::string& sourceName) {
    // A source that is itself a piece carries its own source's mark, which goes.
    while (TagLib::ID3v2::UserTextIdentificationFrame* earlier =
               TagLib::ID3v2::UserTextIdentificationFrame::find(&tag, kPieceMarkDescription)) {
        tag.removeFrame(earlier);
    }
    auto mark = std::make_unique<TagLib::ID3v2::UserTextIdentificationFrame>(
        kPieceMarkDescription, TagLib::StringList(TagLib::String(sourceName, TagLib::String::UTF8)),
        TagLib::String::UTF8);
    tag.addFrame(mark.release());
}

}  // namespace

TagBytesOf TagBytes(int fd, const std::function<bool()>& stopRequested) {
    DescriptorStream stream(fd, stopRequested);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    TagBytesOf bytes;
    if (!file.isValid()) {
        return bytes;
    }
    if (file.hasID3v2Tag()) {
        bytes.atStart = file.ID3v2Tag()->header()->completeTagSize();
    }
    if (file.hasAPETag()) {
        bytes.atEnd += file.APETag()->footer()->completeTagSize();
    }
    if (file.hasID3v1Tag()) {
        bytes.atEnd += file.ID3v1Tag()->render().size();
    }
    return bytes;
}

bool NumberTrack(const std::string& path, std::int64_t number, std::int64_t count,
                 const std::string& sourceName) {
    return RewriteTags(path, [&](TagLib::MPEG::File& file, TagLib::ID3v2::Tag& tag) {
        tag.removeFrames("TRCK");
        auto track = std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(
            "TRCK", TagLib::String::Latin1);
        track->setText(NumberText(number) + "/" + NumberText(count));
        tag.addFrame(track.release());
        MarkAsPieceOf(tag, sourceName);
        if (file.hasID3v1Tag()) {
            // One byte holds the number there; a larger one is left out.
            constexpr std::int64_t kLargestId3v1Track = 255;
            file.ID3v1Tag()->setTrack(
                number <= kLargestId3v1Track ? static_cast<unsigned int>(number) : 0);
        }
    });
}

bool IsPieceOf(int fd, const std::string& sourceName) {
    DescriptorStream stream(fd);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (!file.isValid() || !file.hasID3v2Tag()) {
        return false;
    }
    const TagLib::ID3v2::UserTextIdentificationFrame* mark =
        TagLib::ID3v2::UserTextIdentificationFrame::find(file.ID3v2Tag(), kPieceMarkDescription);
    if (mark == nullptr) {
        return false;
    }
    const TagLib::StringList fields = mark->fieldList();
    // The first field repeats the description.
    return fields.size() == 2 && fields[1].to8Bit(true) == sourceName;
}

}  // namespace parvane
