#include "Mp3Tags.h"

#include <apefooter.h>
#include <apetag.h>
#include <fcntl.h>
#include <id3v1tag.h>
#include <id3v2framefactory.h>
#include <id3v2header.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <textidentificationframe.h>
#include <tfilestream.h>

#include <memory>

namespace parvane {

namespace {

// Reads as if the file ended once a stop is asked for: TagLib may search a file of another
// format far for a tag header.
class StoppableStream final : public TagLib::FileStream {
public:
    StoppableStream(int fd, const std::function<bool()>& stopRequested)
        : TagLib::FileStream(fd, true), stopRequested_(stopRequested) {}
    TagLib::ByteVector readBlock(unsigned long length) override {
        if (stopRequested_ && stopRequested_()) {
            return {};
        }
        return TagLib::FileStream::readBlock(length);
    }

private:
    const std::function<bool()>& stopRequested_;
};

}  // namespace

TagBytesOf TagBytes(int fd, const std::function<bool()>& stopRequested) {
    // The stream closes what it is given, so it gets a copy of the descriptor.
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return {};
    }
    StoppableStream stream(copy, stopRequested);
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

bool NumberTrack(const std::string& path, std::int64_t number, std::int64_t count) {
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || file.readOnly()) {
        return false;
    }
    const bool hadId3v2 = file.hasID3v2Tag();
    TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
    // Written again in the version it was read in, so no frame is converted.
    const TagLib::ID3v2::Version version =
        hadId3v2 && tag->header()->majorVersion() == 3 ? TagLib::ID3v2::v3 : TagLib::ID3v2::v4;
    tag->removeFrames("TRCK");
    auto track = std::make_unique<TagLib::ID3v2::TextIdentificationFrame>(
        "TRCK", TagLib::String::Latin1);
    track->setText(std::to_string(number) + "/" + std::to_string(count));
    tag->addFrame(track.release());
    if (file.hasID3v1Tag()) {
        // One byte holds the number there; a larger one is left out.
        constexpr std::int64_t kLargestId3v1Track = 255;
        file.ID3v1Tag()->setTrack(
            number <= kLargestId3v1Track ? static_cast<unsigned int>(number) : 0);
    }
    return file.save(TagLib::MPEG::File::AllTags, TagLib::File::StripNone, version,
                     TagLib::File::DoNotDuplicate);
}

}  // namespace parvane
