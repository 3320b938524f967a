// What a file that holds no MP3 audio holds instead, as far as its first bytes tell: the
// formats a person may take for audio by mistake, pictures, text and nothing at all.
#pragma once

namespace parvane {

enum class ContentKind {
    Unknown,
    Empty,
    Text,
    WaveAudio,
    AiffAudio,
    FlacAudio,
    OggAudio,
    AacAudio,    // ADTS frames, as .aac files hold them
    Mpeg4Audio,  // an MPEG-4 file of an audio brand (.m4a, .m4b)
    Mpeg4Video,  // any other MPEG-4 or QuickTime file
    JpegPicture,
    PngPicture,
};

// Looks at the first bytes of an open file, behind an ID3v2 tag where one leads them.
ContentKind ContentKindOf(int fd);

}  // namespace parvane
