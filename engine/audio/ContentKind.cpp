#include "engine/audio/ContentKind.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/files/FileReading.h"
#include "engine/names/Utf8.h"

namespace parvane {

namespace {

// Enough for every signature below and for telling text from other bytes.
constexpr std::size_t kLookedAt = std::size_t{64} * 1024;

bool StartsWith(std::string_view bytes, std::size_t at, std::string_view signature) {
    return bytes.size() >= at + signature.size() && bytes.substr(at, signature.size()) == signature;
}

unsigned Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// The size of an ID3v2 tag at the start, header and footer included; 0 without one.
std::size_t Id3v2Bytes(std::string_view bytes) {
    constexpr std::size_t kHeader = 10;
    if (!StartsWith(bytes, 0, "ID3") || bytes.size() < kHeader) {
        return 0;
    }
    std::size_t size = 0;
    for (std::size_t k = 6; k < kHeader; ++k) {
        size = (size << 7) | (Byte(bytes, k) & 0x7Fu);
    }
    const bool footer = (Byte(bytes, 5) & 0x10u) != 0;
    return kHeader + size + (footer ? kHeader : 0);
}

// An ADTS frame header (12 sync bits, layer 0) whose frame is followed by another one.
bool AdtsFrames(std::string_view bytes) {
    const auto header = [&](std::size_t at) {
        return bytes.size() >= at + 7 && Byte(bytes, at) == 0xFFu &&
               (Byte(bytes, at + 1) & 0xF6u) == 0xF0u;
    };
    if (!header(0)) {
        return false;
    }
    const std::size_t length =
        ((Byte(bytes, 3) & 0x03u) << 11) | (Byte(bytes, 4) << 3) | (Byte(bytes, 5) >> 5);
    return length > 7 && (length >= bytes.size() || header(length));
}

// UTF-8 (ASCII among it) without control characters but those of line and page layout;
// a sequence cut off by the end of what was read still counts.
bool Text(std::string_view bytes) {
    for (std::size_t k = 0; k < bytes.size();) {
        const unsigned byte = Byte(bytes, k);
        if (byte < 0x80u) {
            const bool layout = byte == '\t' || byte == '\n' || byte == '\r' || byte == '\f';
            if ((byte < 0x20u && !layout) || byte == 0x7Fu) {
                return false;
            }
            ++k;
            continue;
        }
        const std::size_t length = DecodeUtf8At(bytes, k).second;
        if (length == 0) {
            return bytes.size() - k < 4;
        }
        k += length;
    }
    return true;
}

ContentKind KindOf(std::string_view bytes) {
    if (StartsWith(bytes, 0, "RIFF") && StartsWith(bytes, 8, "WAVE")) return ContentKind::WaveAudio;
    if (StartsWith(bytes, 0, "FORM") &&
        (StartsWith(bytes, 8, "AIFF") || StartsWith(bytes, 8, "AIFC"))) {
        return ContentKind::AiffAudio;
    }
    if (StartsWith(bytes, 0, "fLaC")) return ContentKind::FlacAudio;
    if (StartsWith(bytes, 0, "OggS")) return ContentKind::OggAudio;
    if (StartsWith(bytes, 4, "ftyp")) {
        for (const std::string_view brand : {"M4A ", "M4B ", "M4P "}) {
            if (StartsWith(bytes, 8, brand)) return ContentKind::Mpeg4Audio;
        }
        return ContentKind::Mpeg4Video;
    }
    if (StartsWith(bytes, 0, "\xFF\xD8\xFF")) return ContentKind::JpegPicture;
    if (StartsWith(bytes, 0, "\x89PNG\r\n\x1A\n")) return ContentKind::PngPicture;
    if (AdtsFrames(bytes)) return ContentKind::AacAudio;
    if (Text(bytes)) return ContentKind::Text;
    return ContentKind::Unknown;
}

}  // namespace

ContentKind ContentKindOf(int fd) {
    std::string start(kLookedAt, '\0');
    const std::int64_t count = ReadAt(fd, start.data(), start.size(), 0);
    if (count < 0) {
        return ContentKind::Unknown;
    }
    if (count == 0) {
        return ContentKind::Empty;
    }
    start.resize(static_cast<std::size_t>(count));
    const std::size_t tag = Id3v2Bytes(start);
    if (tag == 0) {
        return KindOf(start);
    }
    std::string behind(kLookedAt, '\0');
    const std::int64_t behindCount =
        ReadAt(fd, behind.data(), behind.size(), static_cast<std::int64_t>(tag));
    behind.resize(static_cast<std::size_t>(std::max<std::int64_t>(behindCount, 0)));
    // A tag with nothing behind it is no text either.
    return behind.empty() ? ContentKind::Unknown : KindOf(behind);
}

}  // namespace parvane
