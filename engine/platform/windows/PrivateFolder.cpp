#include "engine/files/PrivateFolder.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <io.h>
#include <random>
#include <string_view>
#include <vector>

#include "engine/files/FilePlacement.h"
#include "engine/files/FolderEntries.h"
#include "engine/files/PrivateFolderNames.h"
#include "engine/names/NumberText.h"
#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

namespace {

// Tries at a free unique name before the folder is given up as unwritable.
constexpr int kNameTries = 100;

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    FolderEntries entries(folder);
    while (const std::optional<std::string_view> name = entries.NextName()) {
        names.emplace_back(*name);
    }
    return names;
}

std::string UniqueLetters() {
    static constexpr std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string letters;
    for (std::size_t k = 0; k < kUniqueLetters; ++k) {
        letters += kLetters[pick(source)];
    }
    return letters;
}

// A lock file opened so that it can be renamed and deleted while held.
OwnedHandle OpenLockFile(const std::string& path, DWORD disposition) {
    return OwnedHandle(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, disposition, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// The descriptor of the held lock; -1 without one, with error set when the file could not
// even be made (and left at 0 when only locks are missing).
int HoldLock(const std::string& folder, int& error) {
    const std::string fresh = folder + "/" + kNewLockName;
    OwnedHandle lock = OpenLockFile(fresh, CREATE_NEW);
    if (!lock.Valid()) {
        error = LastErrno();
        return -1;
    }
    bool heldElsewhere = false;
    if (TakeJobLock(lock.get(), heldElsewhere) &&
        ::MoveFileExW(WidePath(fresh).c_str(), WidePath(folder + "/" + kLockName).c_str(), 0)) {
        const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(lock.get()), _O_RDONLY);
        if (fd >= 0) {
            lock.Release();
            return fd;
        }
    }
    RemoveFile(fresh);
    return -1;
}

// The held lock of the folder when it is one of ours that no job holds (see the header), with
// the folder's files. The owner is not compared: the folder's access list decides who
// reaches it at all.
OwnedHandle TakeStaleFolder(const std::string& folder, std::vector<std::string>& files) {
    files = NamesIn(folder);
    const bool onlyPrivate = std::all_of(files.begin(), files.end(), [&](const std::string& file) {
        return IsPrivateFileName(file) &&
               StatusOfName(folder + "/" + file).kind == FileKind::Regular;
    });
    if (!onlyPrivate || std::find(files.begin(), files.end(), kLockName) == files.end()) {
        return {};
    }
    OwnedHandle lock = OpenLockFile(folder + "/" + kLockName, OPEN_EXISTING);
    bool heldElsewhere = false;
    if (lock.Valid() && !TakeJobLock(lock.get(), heldElsewhere)) {
        lock.Close();
    }
    return lock;
}

// Its files go one by one, the lock last, so no other job finds it half removed and free.
void RemoveIfStale(const std::string& folder) {
    const NameStatus status = StatusOfName(folder);
    if (status.error != 0 || status.kind != FileKind::Folder) {
        return;
    }
    std::vector<std::string> files;
    OwnedHandle lock = TakeStaleFolder(folder, files);
    if (!lock.Valid()) {
        return;
    }
    for (const std::string& file : files) {
        if (file != kLockName) {
            RemoveFile(folder + "/" + file);
        }
    }
    RemoveFile(folder + "/" + kLockName);
    lock.Close();
    ::RemoveDirectoryW(WidePath(folder).c_str());
}

}  // namespace

// Hidden in the Windows sense too, as its leading dot hides it nowhere there.
PrivateFolder::PrivateFolder(const std::string& folder) {
    const std::string start = folder + "/" + std::string(kPrivateFolderPrefix) +
                              NumberText(::GetCurrentProcessId()) + "-";
    std::string made;
    for (int attempt = 0; attempt < kNameTries && made.empty() && error_ == 0; ++attempt) {
        const std::string candidate = start + UniqueLetters();
        if (::CreateDirectoryW(WidePath(candidate).c_str(), nullptr)) {
            made = candidate;
        } else if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            error_ = LastErrno();
        }
    }
    if (made.empty()) {
        error_ = error_ != 0 ? error_ : EEXIST;
        return;
    }
    ::SetFileAttributesW(WidePath(made).c_str(), FILE_ATTRIBUTE_HIDDEN);
    lock_ = HoldLock(made, error_);
    if (!Made()) {
        ::RemoveDirectoryW(WidePath(made).c_str());
        return;
    }
    path_ = made;
}

PrivateFolder::~PrivateFolder() {
    if (!Made()) {
        return;
    }
    if (!keepContents_) {
        RemoveSplitterOutput(path_);
    }
    if (lock_ >= 0) {
        RemoveFile(path_ + "/" + kLockName);
        ::_close(lock_);
    }
    ::RemoveDirectoryW(WidePath(path_).c_str());
}

void RemoveSplitterOutput(const std::string& privateFolder) {
    for (const std::string& name : NamesIn(privateFolder)) {
        if (name != kLockName) {
            RemoveFile(privateFolder + "/" + name);
        }
    }
}

// Reads names only, and looks closer only at private names, so a folder of many files
// costs little.
void RemoveStalePrivateFolders(const std::string& folder) {
    for (const std::string& name : NamesIn(folder)) {
        if (HasPrivateName(name)) {
            RemoveIfStale(folder + "/" + name);
        }
    }
}

}  // namespace parvane
