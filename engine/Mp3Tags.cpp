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

// The decoder skips each ID3v2 header by the size it gives, and reads on after one with a
// version byte of 0xFF; TagLib takes any header for a tag (widening that byte as a signed
// char) and joins a run of them into one. Where the two differ, the bytes TagLib would
// write over as the tag may hold audio.
bool DecoderSkipsAsTagLibWrites(TagLib::MPEG::File& file) {
    const TagLib::ID3v2::Header& read = *file.ID3v2Tag()->header();
    file.seek(0);
    const TagLib::ID3v2::Header first(file.readBlock(TagLib::ID3v2::Header::size()));
    const auto noVersion = [](unsigned int version) {
        return static_cast<unsigned char>(version) == 0xFF;
    };
    return !noVersion(read.majorVersion()) && !noVersion(read.revisionNumber()) &&
           first.completeTagSize() == read.completeTagSize();
}

}  // namespace

std::int64_t TagBytes(int fd, const std::function<bool()>& stopRequested) {
    // The stream closes what it is given, so it gets a copy of the descriptor.
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return 0;
    }
    StoppableStream stream(copy, stopRequested);
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (!file.isValid()) {
        return 0;
    }
    std::int64_t bytes = 0;
    if (file.hasID3v2Tag()) {
        bytes += file.ID3v2Tag()->header()->completeTagSize();
    }
    if (file.hasAPETag()) {
        bytes += file.APETag()->footer()->completeTagSize();
    }
    if (file.hasID3v1Tag()) {
        bytes += file.ID3v1Tag()->render().size();
    }
    return bytes;
}

bool NumberTrack(const std::string& path, std::int64_t number, std::int64_t count) {
    TagLib::MPEG::File file(path.c_str(), false);
    if (!file.isValid() || file.readOnly()) {
        return false;
    }
    const bool hadId3v2 = file.hasID3v2Tag();
    if (hadId3v2 && !DecoderSkipsAsTagLibWrites(file)) {
        return false;
    }
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
