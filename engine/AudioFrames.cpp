#include "AudioFrames.h"

#include <mpg123.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <utility>

#include "Mp3Tags.h"

namespace parvane {

namespace {

// Nearly all bytes outside the tags must belong to the frames of one stream: noise, or a
// file of another format, holds a few chance frame headers at most.
constexpr double kLeastAudioShare = 0.9;
constexpr std::size_t kReadSize = 64 * 1024;

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
            const ssize_t count = ::pread(fd_, buffer_.data(), buffer_.size(), offset_);
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
    std::int64_t index = 0;  // among all frames the library found
    std::int64_t End() const { return position + bytes; }
};

// The frames of one kind (version, layer, sample rate). A frame counts only where it borders
// on another of its kind: a frame header found by chance in damaged bytes rarely has a
// second one right behind it.
struct Stream {
    int samplesPerFrame = 0;
    long sampleRate = 0;
    std::int64_t frames = 0;
    std::int64_t bytes = 0;
    std::optional<Frame> first;
    std::optional<Frame> last;
    std::optional<Frame> unconfirmed;
    std::vector<DamagedStretch> damaged;

    void Add(const Frame& frame) {
        if (last && last->End() == frame.position) {
            Count(frame);
        } else if (unconfirmed && unconfirmed->End() == frame.position) {
            Count(*unconfirmed);
            Count(frame);
            unconfirmed.reset();
        } else {
            unconfirmed = frame;
        }
    }

private:
    void Count(const Frame& frame) {
        if (last && last->End() != frame.position) {
            damaged.push_back({static_cast<double>(frames * samplesPerFrame) /
                                   static_cast<double>(sampleRate),
                               frame.position - last->End(), frame.index - last->index - 1});
        }
        if (!first) {
            first = frame;
        }
        last = frame;
        ++frames;
        bytes += frame.bytes;
    }
};

using StreamKind = std::tuple<int, int, long>;  // version, layer, sample rate

StreamKind KindOf(const mpg123_frameinfo2& info) {
    return {info.version, info.layer, info.rate};
}

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
    return std::pair{KindOf(info), Frame{mpg123_framepos(handle.get()), info.framesize, 0}};
}

long EncoderState(mpg123_handle* handle, int key) {
    long value = -1;
    double ignored = 0.0;
    return mpg123_getstate2(handle, key, &value, &ignored) == MPG123_OK ? value : -1;
}

}  // namespace

AudioFrames ReadAudioFrames(int fd, const std::function<bool()>& stopRequested,
                            std::int64_t damageAllowed) {
    AudioFrames audio;
    const Mpg123Handle handle = NewFedHandle(0);
    if (!handle) {
        audio.result = AudioFrames::Result::ReadFailed;
        audio.error = ENOMEM;
        return audio;
    }
    Feeder feeder(fd, stopRequested);
    std::map<StreamKind, Stream> streams;
    for (std::int64_t index = 0;; ++index) {
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
        Stream& stream = streams[KindOf(info)];
        stream.samplesPerFrame = mpg123_spf(handle.get());
        stream.sampleRate = info.rate;
        stream.Add({mpg123_framepos(handle.get()), info.framesize, index});
    }

    const auto main = std::max_element(streams.begin(), streams.end(), [](const auto& a, const auto& b) {
        return a.second.bytes < b.second.bytes;
    });
    if (main == streams.end() || main->second.frames == 0) {
        return audio;
    }
    const Stream& stream = main->second;
    std::int64_t audioBytes = stream.bytes;
    if (stream.first->position > 0) {
        const auto leading = FirstFrameWithInfo(fd);
        audio.infoFrame = leading && leading->first == main->first &&
                          leading->second.End() == stream.first->position;
        audioBytes += audio.infoFrame ? leading->second.bytes : 0;
    }
    const std::int64_t fileBytes =
        feeder.BytesRead() - std::min(feeder.BytesRead() - audioBytes, damageAllowed);
    const auto share = [&](std::int64_t outsideAudio) {
        return static_cast<double>(audioBytes) / static_cast<double>(fileBytes - outsideAudio);
    };
    // Tags are looked for only where they could make the difference.
    if (share(0) < kLeastAudioShare && share(TagBytes(fd, stopRequested)) < kLeastAudioShare) {
        if (stopRequested && stopRequested()) {
            audio.result = AudioFrames::Result::Stopped;  // the tags may not have been found
        }
        return audio;
    }

    audio.result = AudioFrames::Result::Audio;
    audio.layer = std::get<1>(main->first);
    audio.sampleRate = stream.sampleRate;
    audio.samplesPerFrame = stream.samplesPerFrame;
    audio.samples = stream.frames * stream.samplesPerFrame;
    const long delay = EncoderState(handle.get(), MPG123_ENC_DELAY);
    const long padding = EncoderState(handle.get(), MPG123_ENC_PADDING);
    if (delay >= 0 && padding >= 0 && audio.samples > delay + padding) {
        audio.samples -= delay + padding;
    }
    audio.damaged = stream.damaged;
    return audio;
}

}  // namespace parvane
