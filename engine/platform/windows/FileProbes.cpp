#include "engine/files/FileProbes.h"

#include <algorithm>
#include <cerrno>

#include "engine/names/PiecePaths.h"
#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

namespace {

// Less room than the splitter's write buffers hold: the last write of a run could not fit.
constexpr unsigned long long kNearlyFullBytes = 64ULL * 1024;

}  // namespace

std::int64_t RegularFileSize(const std::string& path) {
    const OwnedHandle file = OpenForLook(path, AtPath::FollowLink, GENERIC_READ);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    if (!file.Valid() || !StatusOfHandle(file.get(), kind, identity, error) ||
        kind != FileKind::Regular) {
        return -1;
    }
    return identity.size;
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

NameStatus StatusOfName(const std::string& path) {
    NameStatus status;
    const OwnedHandle file = OpenForLook(path, AtPath::OwnName);
    if (!file.Valid()) {
        status.error = LastErrno();
    } else {
        StatusOfHandle(file.get(), status.kind, status.identity, status.error);
    }
    return status;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const OwnedHandle file = OpenForLook(path, AtPath::FollowLink);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    if (!file.Valid() || !StatusOfHandle(file.get(), kind, identity, error)) {
        return std::nullopt;
    }
    return identity;
}

bool IsOneOf(const std::string& path, const std::vector<FileIdentity>& files) {
    const std::optional<FileIdentity> target = IdentityOf(path);
    return target && std::any_of(files.begin(), files.end(),
                                 [&](const FileIdentity& file) { return file.SameFile(*target); });
}

// Windows runs what its extension names a program, and the splitter is looked for as an .exe.
bool IsExecutableFile(const std::string& path) {
    const OwnedHandle file = OpenForLook(path, AtPath::FollowLink);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    if (!file.Valid() || !StatusOfHandle(file.get(), kind, identity, error) ||
        kind != FileKind::Regular) {
        return false;
    }
    std::string name = GetFileName(path);
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return name.ends_with(".exe");
}

bool FolderNearlyFull(const std::string& folder) {
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(WidePath(folder + "/").c_str(), &available, nullptr, nullptr)) {
        return false;
    }
    return available.QuadPart < kNearlyFullBytes;
}

// Windows counts both in UTF-16 units, never more than the UTF-8 bytes: a name the count here
// lets through always fits, and a long one in some scripts is refused though it would fit.
// MAX_PATH counts the end unit.
bool PathLengthFits(const std::string& path) {
    return path.size() < MAX_PATH;
}

bool NameLengthFits(const std::string& name) {
    constexpr std::size_t kLongestName = 255;
    return name.size() <= kLongestName;
}

}  // namespace parvane
