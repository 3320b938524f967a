#include "engine/audio/DescriptorStream.h"

#include <algorithm>
#include <utility>

#include "engine/files/FileReading.h"

namespace parvane {

DescriptorStream::DescriptorStream(int fd, std::function<bool()> stopRequested)
    : fd_(fd), stopRequested_(std::move(stopRequested)), size_(FileSizeOf(fd)) {}

TagLib::ByteVector DescriptorStream::readBlock(unsigned long length) {
    if (!isOpen() || (stopRequested_ && stopRequested_())) {
        return {};
    }
    const std::int64_t wanted =
        std::clamp<std::int64_t>(size_ - position_, 0, static_cast<std::int64_t>(length));
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    std::int64_t got = 0;
    while (got < wanted) {
        const std::int64_t count = ReadAt(fd_, block.data() + got,
                                          static_cast<std::size_t>(wanted - got), position_ + got);
        if (count <= 0) {
            break;
        }
        got += count;
    }
    block.resize(static_cast<unsigned int>(got));
    position_ += got;
    return block;
}

void DescriptorStream::seek(long offset, Position from) {
    std::int64_t base = 0;
    if (from == Current) {
        base = position_;
    } else if (from == End) {
        base = size_;
    }
    position_ = std::max<std::int64_t>(0, base + offset);
}

}  // namespace parvane
