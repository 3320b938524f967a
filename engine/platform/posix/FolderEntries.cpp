#include "engine/files/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include "engine/platform/posix/FileStatus.h"

namespace parvane {

struct FolderEntries::Reading {
    DIR* dir = nullptr;
    FileIdentity identity;
    const dirent* last = nullptr;

    ~Reading() { ::closedir(dir); }
};

FolderEntries::FolderEntries(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat self {};
    DIR* dir = ::fstat(fd, &self) == 0 ? ::fdopendir(fd) : nullptr;
    if (dir == nullptr) {
        ::close(fd);
        return;
    }
    reading_ = std::make_unique<Reading>();
    reading_->dir = dir;
    reading_->identity = IdentityFromStatus(self);
}

FolderEntries::~FolderEntries() = default;

const FileIdentity& FolderEntries::Identity() const {
    return reading_->identity;
}

std::optional<std::string_view> FolderEntries::NextName() {
    if (!reading_) {
        return std::nullopt;
    }
    while ((reading_->last = ::readdir(reading_->dir)) != nullptr) {
        const std::string_view name = reading_->last->d_name;
        if (name != "." && name != "..") {
            return name;
        }
    }
    return std::nullopt;
}

FileKind FolderEntries::KindOfLast() const {
    const dirent& entry = *reading_->last;
    switch (entry.d_type) {
        case DT_DIR:
            return FileKind::Folder;
        case DT_REG:
            return FileKind::Regular;
        case DT_LNK:
        case DT_UNKNOWN:
            break;
        default:
            return FileKind::Other;
    }
    struct stat target {};
    if (::fstatat(::dirfd(reading_->dir), entry.d_name, &target, 0) != 0) {
        return FileKind::Other;
    }
    return KindFromStatus(target);
}

}  // namespace parvane
