#include "engine/files/FileReading.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <io.h>
#include <utility>

#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

namespace {

// The C library's descriptor over handle, which it then owns; -1 (the handle closed) when
// none can be made.
int DescriptorOf(OwnedHandle handle) {
    const int fd =
        ::_open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), _O_RDONLY | _O_BINARY);
    if (fd >= 0) {
        handle.Release();
    }
    return fd;
}

HANDLE HandleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

}  // namespace

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) {
        ::_close(fd_);
    }
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            ::_close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

// Handles are made uninheritable, so no child holds the file open. A link refused shows as
// ELOOP, as O_NOFOLLOW reports it.
OpenedFile OpenForReading(const std::string& path, LinkAtPath atPath) {
    OpenedFile opened;
    OwnedHandle handle = OpenForLook(
        path, atPath == LinkAtPath::Refuse ? AtPath::OwnName : AtPath::FollowLink, GENERIC_READ);
    if (!handle.Valid()) {
        opened.error = LastErrno();
        return opened;
    }
    if (!StatusOfHandle(handle.get(), opened.kind, opened.identity, opened.error)) {
        return opened;
    }
    if (atPath == LinkAtPath::Refuse && opened.kind == FileKind::Other) {
        BY_HANDLE_FILE_INFORMATION info{};
        if (::GetFileInformationByHandle(handle.get(), &info) &&
            (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            opened.error = ELOOP;
            return opened;
        }
    }
    opened.file = FileDescriptor(DescriptorOf(std::move(handle)));
    if (opened.file.get() < 0) {
        opened.error = EMFILE;
    }
    return opened;
}

// A read at an offset moves a synchronous handle's position; every reader here names its
// offset, so none depends on it.
std::int64_t ReadAt(int fd, void* into, std::size_t bytes, std::int64_t offset) {
    const HANDLE handle = HandleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return -1;
    }
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFU);
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    constexpr std::size_t kLargestRead = 1U << 30;
    DWORD got = 0;
    if (!::ReadFile(handle, into, static_cast<DWORD>(std::min(bytes, kLargestRead)), &got, &at)) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_HANDLE_EOF) {
            return 0;
        }
        errno = ErrnoFromWindows(error);
        return -1;
    }
    return got;
}

std::int64_t FileSizeOf(int fd) {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(HandleOf(fd), &size) ? size.QuadPart : -1;
}

}  // namespace parvane
