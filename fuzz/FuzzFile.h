// The fuzzer's bytes as a file, for code that reads files by descriptor or by path: a file
// in memory (memfd), so no run touches the disk and none leaves a file behind.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "fuzz/FuzzInput.h"

namespace parvane::fuzz {

class FuzzFile {
public:
    explicit FuzzFile(std::string_view bytes) : fd_(::memfd_create("fuzz", MFD_CLOEXEC)) {
        Require(fd_ >= 0, "a file in memory can be made");
        Write(bytes);
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;
    ~FuzzFile() { ::close(fd_); }

    int Descriptor() const { return fd_; }
    // Opening it gives the same file, as a path on disk would.
    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

    void Write(std::string_view bytes) const {
        Require(::ftruncate(fd_, 0) == 0, "the file in memory can be emptied");
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t count =
                ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            Require(count > 0, "the file in memory can be written");
            done += static_cast<std::size_t>(count);
        }
    }

    std::string Read() const {
        std::string bytes;
        char buffer[64 * 1024];
        for (ssize_t count;
             (count = ::pread(fd_, buffer, sizeof buffer, static_cast<off_t>(bytes.size()))) > 0;) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
        return bytes;
    }

private:
    int fd_;
};

}  // namespace parvane::fuzz
