// Any bytes as a source whose tags a splitter carries into a piece, and the piece's track
// numbered as every piece is before it is put in place. The ID3v2 tag at the source's start
// and the APE and ID3v1 tags at its end, as TagLib finds them, are put byte for byte around
// a small valid piece, and the tags the job carries over itself (APEv2, ID3v1 fields) are
// written into it from the source. Numbering writes "number/count" where TagLib reads it
// back and loses none of the audio the piece's check found.
#include <fcntl.h>

#include <apefooter.h>
#include <apetag.h>
#include <id3v1tag.h>
#include <id3v2header.h>
#include <id3v2tag.h>
#include <mpegfile.h>

#include "engine/audio/AudioFrames.h"
#include "engine/audio/Mp3Tags.h"
#include "engine/audio/PieceTags.h"
#include "engine/files/FileDescriptor.h"
#include "fuzz/FuzzFile.h"
#include "fuzz/SmallPiece.h"

namespace {

using parvane::fuzz::Require;

struct CarriedTags {
    std::string leading;
    std::string trailing;
    bool id3v1 = false;
};

CarriedTags TagsOf(std::string_view source) {
    const parvane::fuzz::FuzzFile file(source);
    TagLib::MPEG::File mpeg(file.Path().c_str(), false);
    CarriedTags tags;
    if (!mpeg.isValid()) {
        return tags;
    }
    // A tag the source does not hold whole stays behind, as the trailing ones do.
    if (mpeg.hasID3v2Tag() && source.starts_with("ID3") &&
        mpeg.ID3v2Tag()->header()->completeTagSize() <= source.size()) {
        tags.leading = source.substr(0, mpeg.ID3v2Tag()->header()->completeTagSize());
    }
    std::size_t trailing = 0;
    if (mpeg.hasAPETag()) {
        trailing += mpeg.APETag()->footer()->completeTagSize();
    }
    if (mpeg.hasID3v1Tag()) {
        trailing += mpeg.ID3v1Tag()->render().size();
    }
    // Tags that overlap the leading one stay behind.
    if (tags.leading.size() + trailing <= source.size()) {
        tags.trailing = source.substr(source.size() - trailing);
        tags.id3v1 = mpeg.hasID3v1Tag();
    }
    return tags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CarriedTags tags = TagsOf(parvane::fuzz::Bytes(data, size));
    const parvane::fuzz::FuzzFile piece(tags.leading + std::string(parvane::fuzz::kSmallPiece) +
                                        tags.trailing);
    {
        TagLib::MPEG::File carried(piece.Path().c_str(), false);
        Require(
            carried.hasID3v2Tag() == !tags.leading.empty() && carried.hasID3v1Tag() == tags.id3v1,
            "the piece carries the source's tags");
    }
    const auto never = [] { return false; };
    const parvane::AudioFrames checked = parvane::ReadAudioFrames(piece.Descriptor(), never);
    // Chance frame headers in the trailing tags may count as audio, and be gone once TagLib
    // has written the tag again: the audio is compared where they count for nothing.
    const parvane::fuzz::FuzzFile withoutTrailing(tags.leading +
                                                  std::string(parvane::fuzz::kSmallPiece));

    const std::int64_t number = 1 + static_cast<std::int64_t>(size % 255);
    const std::int64_t count = number + static_cast<std::int64_t>(size % 7);
    const parvane::fuzz::FuzzFile source(parvane::fuzz::Bytes(data, size));
    if (!parvane::CarrySourceTags(source.Path(), piece.Path()) ||
        !parvane::NumberTrack(piece.Path(), number, count, "source.mp3")) {
        return 0;
    }
    {
        const parvane::FileDescriptor numberedFile(
            ::open(piece.Path().c_str(), O_RDONLY | O_CLOEXEC));
        Require(parvane::IsPieceOf(numberedFile.get(), "source.mp3") &&
                    !parvane::IsPieceOf(numberedFile.get(), "other.mp3"),
                "a numbered piece is marked as a piece of its source alone");
    }
    TagLib::MPEG::File numbered(piece.Path().c_str(), false);
    const TagLib::ID3v2::FrameList tracks = numbered.hasID3v2Tag()
                                                ? numbered.ID3v2Tag()->frameList("TRCK")
                                                : TagLib::ID3v2::FrameList();
    Require(tracks.size() == 1 &&
                tracks.front()->toString() == std::to_string(number) + "/" + std::to_string(count),
            "a numbered piece's ID3v2 tag holds its number and count as its one track");
    Require(!numbered.hasID3v1Tag() ||
                numbered.ID3v1Tag()->track() == static_cast<unsigned int>(number),
            "a numbered piece's ID3v1 tag holds its number");

    if (checked.result == parvane::AudioFrames::Result::Audio &&
        parvane::ReadAudioFrames(withoutTrailing.Descriptor(), never).seconds == checked.seconds) {
        const parvane::AudioFrames audio = parvane::ReadAudioFrames(piece.Descriptor(), never);
        Require(audio.result == checked.result && audio.sampleRate == checked.sampleRate &&
                    audio.seconds >= checked.seconds,
                "numbering loses none of the audio the piece's check found");
    }
    return 0;
}
