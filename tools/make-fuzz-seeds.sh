#!/usr/bin/env bash
# Makes the MP3 seeds of the fuzz targets in fuzz/corpus/mp3/ (run once; they are kept in
# git): a second or two of sound each, encoded with lame in the forms the measure and the
# tag handling meet, plus the damaged and foreign files earlier bugs needed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=fuzz/corpus/mp3
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sound() {  # RATE SECONDS: a tone sweeping up, mono
    sox -n -r "$1" -c 1 "$work/sound.wav" synth "$2" sine 300-900
}
encode() {  # NAME LAME-OPTION...
    local name=$1
    shift
    lame --quiet --noreplaygain -m m "$@" "$work/sound.wav" "$out/$name"
}

# An Info frame needs a frame of about 200 bytes: lame leaves it out of smaller ones.
sound 32000 0.6
encode cbr.mp3 -b 48 --resample 32
sound 32000 1.5
encode vbr-info.mp3 -V 9 --resample 32
encode vbr-no-info.mp3 -V 9 --resample 32 -t
sound 22050 1
encode mpeg2.mp3 -b 8 --resample 22.05
sound 8000 2
encode mpeg2.5.mp3 -b 8
encode id3v1.mp3 -b 8 --id3v1-only --tt "Title" --ta "Artist" --tn 3/9
convert -size 2x2 xc:orange "$work/cover.png"
encode id3v2-picture.mp3 -b 8 --id3v2-only --tt "Tïtle" --ta "Ärtist" --tn 3/9 \
    --ti "$work/cover.png"
encode id3v2.3-and-v1.mp3 -b 8 --add-id3v2 --pad-id3v2-size 16 --tt "Title" --tn 4

# An APEv2 tag before an ID3v1 tag, as other taggers write them: lame writes no APE tag.
encode apev2.mp3 -b 8 --id3v1-only --tt "Title"
cat >"$work/ape.cpp" <<'CPP'
#include <apetag.h>
#include <mpegfile.h>
int main(int, char** argv) {
    TagLib::MPEG::File file(argv[1]);
    file.APETag(true)->setTitle("Title");
    file.APETag(true)->setTrack(5);
    return file.save(TagLib::MPEG::File::APE | TagLib::MPEG::File::ID3v1) ? 0 : 1;
}
CPP
g++ -o "$work/ape" "$work/ape.cpp" $(pkg-config --cflags --libs taglib)
"$work/ape" "$out/apev2.mp3"

# A little damage, too much damage (no longer MP3); junk before the audio; text that begins
# like an ID3v2 tag; layer 2 audio; a WAV file.
sound 22050 1
encode damaged.mp3 -b 8 --resample 22.05
head -c 40 /dev/urandom | dd of="$out/damaged.mp3" bs=1 seek=500 conv=notrunc status=none
encode damaged-third.mp3 -b 8 --resample 22.05
head -c 400 /dev/urandom | dd of="$out/damaged-third.mp3" bs=1 seek=500 conv=notrunc status=none
{ head -c 300 /dev/urandom; cat "$out/mpeg2.mp3"; } >"$out/junk-first.mp3"
printf 'ID3 but not audio\n' >"$out/id3-text.mp3"
sox -n -r 16000 -c 1 "$out/layer2.mp2" synth 0.5 sine 440
sox -n -r 8000 -c 1 -b 8 "$out/sound.wav" synth 0.1 sine 440


# The piece the tag target numbers: a third of a second of MPEG-2 audio without an Info
# frame, as a splitter leaves it, held in the target's source.
sound 22050 0.3
lame --quiet --noreplaygain -m m -b 8 --resample 22.05 -t "$work/sound.wav" "$work/piece.mp3"
{
    echo "// A third of a second of MPEG-2 Layer III audio (22.05 kHz, 8 kbit/s, no Info frame)"
    echo "// without tags, as a splitter leaves a piece: made by tools/make-fuzz-seeds.sh."
    echo "#pragma once"
    echo
    echo "#include <string_view>"
    echo
    echo "namespace parvane::fuzz {"
    echo
    echo "using std::string_view_literals::operator\"\"sv;"
    echo
    echo "inline constexpr std::string_view kSmallPiece ="
    od -An -v -tx1 "$work/piece.mp3" | sed 's/ /\\x/g; s/^/    "/; s/$/"/; $s/$/sv;/'
    echo
    echo "}  // namespace parvane::fuzz"
} >fuzz/SmallPiece.h
