#include "engine/files/PrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdlib.h>
#include <string_view>
#include <vector>

#include "engine/files/PrivateFolderNames.h"
#include "engine/names/NumberText.h"

namespace parvane {

namespace {

// Every name in the folder fd names, "." and ".." left out; the descriptor stays open.
std::vector<std::string> NamesIn(int folderFd) {
    std::vector<std::string> names;
    const int listingFd = ::dup(folderFd);
    DIR* listing = listingFd >= 0 ? ::fdopendir(listingFd) : nullptr;
    if (listing == nullptr) {
        if (listingFd >= 0) {
            ::close(listingFd);
        }
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            names.emplace_back(name);
        }
    }
    ::closedir(listing);
    return names;
}

bool IsRegularFileIn(int folderFd, const std::string& name) {
    struct stat info {};
    return ::fstatat(folderFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(info.st_mode);
}

// The descriptor of the held lock; -1 without one, with error set when the file could not
// even be made (and left at 0 when only locks are missing).
int HoldLock(const std::string& folder, int& error) {
    const std::string fresh = folder + "/" + kNewLockName;
    const int fd =
        ::open(fresh.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::rename(fresh.c_str(), (folder + "/" + kLockName).c_str()) == 0) {
        return fd;
    }
    ::unlink(fresh.c_str());
    ::close(fd);
    return -1;
}

// The held lock of the folder fd names when the folder is one of ours that no job holds
// (see the header), with the folder's files; -1 otherwise.
int TakeStaleFolder(int folderFd, std::vector<std::string>& files) {
    struct stat info {};
    if (::fstat(folderFd, &info) != 0 || info.st_uid != ::geteuid()) {
        return -1;
    }
    files = NamesIn(folderFd);
    const bool onlyPrivate = std::all_of(files.begin(), files.end(), [&](const std::string& file) {
        return IsPrivateFileName(file) && IsRegularFileIn(folderFd, file);
    });
    if (!onlyPrivate || std::find(files.begin(), files.end(), kLockName) == files.end()) {
        return -1;
    }
    const int lock = ::openat(folderFd, kLockName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (lock >= 0 && ::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return -1;
    }
    return lock;
}

// Its files go one by one, the lock last, so no other job finds it half removed and free.
void RemoveIfStale(int parentFd, const std::string& name) {
    const int folder =
        ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return;
    }
    std::vector<std::string> files;
    if (const int lock = TakeStaleFolder(folder, files); lock >= 0) {
        for (const std::string& file : files) {
            if (file != kLockName) {
                ::unlinkat(folder, file.c_str(), 0);
            }
        }
        ::unlinkat(folder, kLockName, 0);
        ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
        ::close(lock);
    }
    ::close(folder);
}

}  // namespace

PrivateFolder::PrivateFolder(const std::string& folder) {
    std::string pattern = (folder == "/" ? "" : folder) + "/" + std::string(kPrivateFolderPrefix) +
                          NumberText(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        error_ = errno;
        return;
    }
    lock_ = HoldLock(pattern, error_);
    if (!Made()) {
        ::rmdir(pattern.c_str());
        return;
    }
    path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    if (!Made()) {
        return;
    }
    if (!keepContents_) {
        RemoveSplitterOutput(path_);
    }
    if (lock_ >= 0) {
        ::unlink((path_ + "/" + kLockName).c_str());
        ::close(lock_);
    }
    ::rmdir(path_.c_str());
}

void RemoveSplitterOutput(const std::string& privateFolder) {
    const int folder = ::open(privateFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return;
    }
    for (const std::string& name : NamesIn(folder)) {
        if (name != kLockName) {
            ::unlinkat(folder, name.c_str(), 0);
        }
    }
    ::close(folder);
}

// Reads names only, and looks closer only at private names, so a folder of many files
// costs little.
void RemoveStalePrivateFolders(const std::string& folder) {
    const int parent = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0) {
        return;
    }
    for (const std::string& name : NamesIn(parent)) {
        if (HasPrivateName(name)) {
            RemoveIfStale(parent, name);
        }
    }
    ::close(parent);
}

}  // namespace parvane
