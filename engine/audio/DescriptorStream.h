// A read-only TagLib stream over an open descriptor, read at offsets, so tags are read from
// the very file that was opened and measured; TagLib's own stream over a descriptor is an
// empty stub on Windows. It stops reading, as if the file ended, once a stop is asked for:
// TagLib may search a file of another format far for a tag header.
#pragma once

#include <cstdint>
#include <functional>
#include <tiostream.h>

namespace parvane {

class DescriptorStream final : public TagLib::IOStream {
public:
    // fd stays open and the caller's; it must outlive the stream.
    DescriptorStream(int fd, std::function<bool()> stopRequested = {});

    TagLib::FileName name() const override { return ""; }
    TagLib::ByteVector readBlock(unsigned long length) override;
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return size_ >= 0; }
    void seek(long offset, Position from) override;
    long tell() const override { return static_cast<long>(position_); }
    long length() override { return static_cast<long>(size_); }
    void truncate(long) override {}

private:
    int fd_;
    std::function<bool()> stopRequested_;
    std::int64_t size_;
    std::int64_t position_ = 0;
};

}  // namespace parvane
