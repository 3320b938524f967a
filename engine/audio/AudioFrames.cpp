#include "engine/audio/AudioFrames.h"

#include <mpg123.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

#include "engine/audio/Mp3Tags.h"
#include "engine/files/FileReading.h"

namespace parvane {

namespace {

constexpr std::size_t kReadSize = std::size_t{64} * 1024;

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Mpg123Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// A handle that is fed the file and searches past damage however long it lasts.
Mpg123Handle NewFedHandle(long flags) {
    // Needed before any other call by libraries older than 1.27; harmless after.
    static const bool ready = mpg123_init() == MPG123_OK;
    int error = MPG123_OK;
    Mpg123Handle handle(ready ? mpg123_new(nullptr, &error) : nullptr);
    // Without gapless decoding, which would hide frames that lie wholly inside the encoder
    // delay; the delay and padding are taken off the count afterwards.
    if (!handle ||
        mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_SKIP_ID3V2 | flags,
                     0.0) != MPG123_OK ||
        mpg123_param(handle.get(), MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0) != MPG123_OK ||
        mpg123_param(handle.get(), MPG123_RESYNC_LIMIT, -1, 0.0) != MPG123_OK ||
        mpg123_open_feed(handle.get()) != MPG123_OK) {
        return nullptr;
    }
    return handle;
}

// Hands a handle the file in large reads as it asks for more, so that neither a search
// through megabytes of damage nor a stop waits for many small reads.
class Feeder {
public:
    enum class Next { Frame, End, Stopped, ReadFailed };

    Feeder(int fd, std::function<bool()> stopRequested)
        : fd_(fd), stopRequested_(std::move(stopRequested)), buffer_(kReadSize) {}

    Next NextFrame(mpg123_handle* handle) {
        for (;;) {
            const int result = mpg123_framebyframe_next(handle);
            if (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
                return Next::Frame;
            }
            if (result != MPG123_NEED_MORE || end_) {
                return Next::End;
            }
            if (stopRequested_ && stopRequested_()) {
                return Next::Stopped;
            }
            const std::int64_t count = ReadAt(fd_, buffer_.data(), buffer_.size(), offset_);
            if (count < 0 && errno != EINTR) {
                error_ = errno;
                return Next::ReadFailed;
            }
            if (count == 0) {
                end_ = true;
            } else if (count > 0) {
                offset_ += count;
                mpg123_feed(handle, buffer_.data(), static_cast<std::size_t>(count));
            }
        }
    }
    std::int64_t BytesRead() const { return offset_; }
    int Error() const { return error_; }

private:
    int fd_;
    std::function<bool()> stopRequested_;
    std::vector<unsigned char> buffer_;
    std::int64_t offset_ = 0;
    bool end_ = false;
    int error_ = 0;
};

struct Frame {
    std::int64_t position = 0;
    std::int64_t bytes = 0;
    std::int64_t End() const { return position + bytes; }
};

using StreamKind = std::tuple<int, int, long>;  // version, layer, sample rate

StreamKind KindOf(const mpg123_frameinfo2& info) {
    return {info.version, info.layer, info.rate};
}

int ChannelsOf(const mpg123_frameinfo2& info) {
    return info.mode == MPG123_M_MONO ? 1 : 2;
}

// Frames of one kind, each beginning where the one before ends. Only a run of a few frames
// is taken for audio: a frame header found by chance in damaged bytes rarely has a second
// one right behind it, and hardly ever three.
struct Run {
    StreamKind kind;
    long sampleRate = 0;
    int samplesPerFrame = 0;
    int firstChannels = 0;
    int lastChannels = 0;
    Frame first;
    Frame last;
    std::int64_t frames = 0;
    std::int64_t bytes = 0;
    std::int64_t chanceFramesBefore = 0;  // found since the run before, in no run of audio
    bool freeFormat = false;              // a frame of it names no bit rate

    double Seconds() const {
        return static_cast<double>(frames * samplesPerFrame) / static_cast<double>(sampleRate);
    }
};

constexpr std::int64_t kLeastRunFrames = 4;
constexpr int kMp3Layer = 3;

class RunCollector {
public:
    void Add(const mpg123_frameinfo2& info, int samplesPerFrame, const Frame& frame) {
        if (open_ && open_->kind == KindOf(info) && open_->last.End() == frame.position) {
            open_->last = frame;
            open_->lastChannels = ChannelsOf(info);
            ++open_->frames;
            open_->bytes += frame.bytes;
            open_->freeFormat = open_->freeFormat || info.bitrate == 0;
            return;
        }
        Close();
        open_ = Run{KindOf(info),
                    info.rate,
                    samplesPerFrame,
                    ChannelsOf(info),
                    ChannelsOf(info),
                    frame,
                    frame,
                    1,
                    frame.bytes,
                    0,
                    info.bitrate == 0};
    }
    // The runs of audio, of layer III where there is any.
    std::vector<Run> Finish() {
        Close();
        std::vector<Run> layer3;
        std::int64_t chance = 0;
        for (Run& run : runs_) {
            chance += run.chanceFramesBefore;
            if (std::get<1>(run.kind) == kMp3Layer) {
                run.chanceFramesBefore = chance;
                chance = 0;
                layer3.push_back(run);
            } else {
                chance += run.frames;
            }
        }
        return layer3;
    }
    int OtherLayer() const { return runs_.empty() ? 0 : std::get<1>(runs_.front().kind); }

private:
    void Close() {
        if (!open_) {
            return;
        }
        if (open_->frames >= kLeastRunFrames) {
            open_->chanceFramesBefore = chance_;
            chance_ = 0;
            runs_.push_back(*open_);
        } else {
            chance_ += open_->frames;
        }
        open_.reset();
    }

    std::optional<Run> open_;
    std::vector<Run> runs_;
    std::int64_t chance_ = 0;
};

// The first frame the library sees when it takes an Info frame for audio: the Info frame
// itself where the stream begins with one.
std::optional<std::pair<StreamKind, Frame>> FirstFrameWithInfo(int fd) {
    const Mpg123Handle handle = NewFedHandle(MPG123_IGNORE_INFOFRAME);
    Feeder feeder(fd, {});
    mpg123_frameinfo2 info{};
    if (!handle || feeder.NextFrame(handle.get()) != Feeder::Next::Frame ||
        mpg123_info2(handle.get(), &info) != MPG123_OK) {
        return std::nullopt;
    }
    return std::pair{KindOf(info), Frame{mpg123_framepos(handle.get()), info.framesize}};
}

long EncoderState(mpg123_handle* handle, int key) {
    long value = -1;
    double ignored = 0.0;
    return mpg123_getstate2(handle, key, &value, &ignored) == MPG123_OK ? value : -1;
}

bool AllZeros(int fd, std::int64_t offset, std::int64_t bytes) {
    std::vector<char> block(kReadSize);
    while (bytes > 0) {
        const std::int64_t count = ReadAt(fd, block.data(),
                                          static_cast<std::size_t>(std::min<std::int64_t>(
                                              bytes, static_cast<std::int64_t>(block.size()))),
                                          offset);
        if (count <= 0) {
            return false;
        }
        if (std::any_of(block.begin(), block.begin() + count, [](char c) { return c != 0; })) {
            return false;
        }
        offset += count;
        bytes -= count;
    }
    return true;
}

// Between the runs of audio: damaged stretches where bytes lie between them, and a change
// of format where the sample rate changes.
void Describe(const std::vector<Run>& runs, AudioFrames& audio) {
    double seconds = 0.0;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const Run& run = runs[k];
        if (k > 0) {
            const Run& before = runs[k - 1];
            if (run.first.position > before.last.End()) {
                audio.damaged.push_back(
                    {seconds, run.first.position - before.last.End(), run.chanceFramesBefore});
            }
            if (run.sampleRate != before.sampleRate) {
                audio.changes.push_back({seconds, before.sampleRate, before.lastChannels,
                                         run.sampleRate, run.firstChannels});
            }
        }
        seconds += run.Seconds();
        audio.audioBytes += run.bytes;
        audio.freeFormat = audio.freeFormat || run.freeFormat;
    }
    audio.seconds = seconds;
}

}  // namespace

AudioFrames ReadAudioFrames(int fd, const std::function<bool()>& stopRequested) {
    AudioFrames audio;
    const Mpg123Handle handle = NewFedHandle(0);
    if (!handle) {
        audio.result = AudioFrames::Result::ReadFailed;
        audio.error = ENOMEM;
        return audio;
    }
    Feeder feeder(fd, stopRequested);
    RunCollector collector;
    for (;;) {
        const Feeder::Next next = feeder.NextFrame(handle.get());
        if (next == Feeder::Next::Stopped) {
            audio.result = AudioFrames::Result::Stopped;
            return audio;
        }
        if (next == Feeder::Next::ReadFailed) {
            audio.result = AudioFrames::Result::ReadFailed;
            audio.error = feeder.Error();
            return audio;
        }
        mpg123_frameinfo2 info{};
        if (next == Feeder::Next::End || mpg123_info2(handle.get(), &info) != MPG123_OK) {
            break;
        }
        collector.Add(info, mpg123_spf(handle.get()),
                      {mpg123_framepos(handle.get()), info.framesize});
    }
    audio.fileBytes = feeder.BytesRead();
    const std::vector<Run> runs = collector.Finish();
    if (runs.empty()) {
        audio.layer = collector.OtherLayer();
        return audio;
    }

    const Run& first = runs.front();
    audio.result = AudioFrames::Result::Audio;
    audio.layer = kMp3Layer;
    audio.sampleRate = first.sampleRate;
    audio.samplesPerFrame = first.samplesPerFrame;
    Describe(runs, audio);
    if (first.first.position > 0) {
        const auto leading = FirstFrameWithInfo(fd);
        audio.infoFrame = leading && leading->first == first.kind &&
                          leading->second.End() == first.first.position;
        audio.audioBytes += audio.infoFrame ? leading->second.bytes : 0;
    }
    // Another recording joined to the one the Info frame describes brings its own delay and
    // padding, and the first one's padding lies inside the audio: nothing is taken off then.
    const bool joined = EncoderState(handle.get(), MPG123_FRANKENSTEIN) > 0;
    const long delay = EncoderState(handle.get(), MPG123_ENC_DELAY);
    const long padding = EncoderState(handle.get(), MPG123_ENC_PADDING);
    const double trimmed =
        static_cast<double>(delay + padding) / static_cast<double>(first.sampleRate);
    if (!joined && delay >= 0 && padding >= 0 && audio.seconds > trimmed) {
        audio.seconds -= trimmed;
    }
    const std::int64_t audioEnd = runs.back().last.End();
    if (audioEnd < audio.fileBytes) {
        const std::int64_t tail = audio.fileBytes - audioEnd - TagBytes(fd, stopRequested).atEnd;
        if (tail > 0) {
            audio.damaged.push_back({audio.seconds, tail, 0, true, AllZeros(fd, audioEnd, tail)});
        }
    }
    return audio;
}

}  // namespace parvane
