#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

namespace {

// Windows counts in 100 ns steps.
std::int64_t Nanoseconds(const LARGE_INTEGER& time) {
    return time.QuadPart * 100;
}

std::uint64_t Joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace

OwnedHandle OpenForLook(const std::string& path, AtPath atPath, DWORD access) {
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (atPath == AtPath::OwnName ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    return OwnedHandle(::CreateFileW(WidePath(path).c_str(), access,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, flags, nullptr));
}

bool StatusOfHandle(HANDLE handle, FileKind& kind, FileIdentity& identity, int& error) {
    BY_HANDLE_FILE_INFORMATION info{};
    FILE_BASIC_INFO times{};
    if (!::GetFileInformationByHandle(handle, &info) ||
        !::GetFileInformationByHandleEx(handle, FileBasicInfo, &times, sizeof times)) {
        error = LastErrno();
        return false;
    }
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        kind = FileKind::Other;
    } else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        kind = FileKind::Folder;
    } else {
        kind = ::GetFileType(handle) == FILE_TYPE_DISK ? FileKind::Regular : FileKind::Other;
    }
    identity =
        FileIdentity{info.dwVolumeSerialNumber, Joined(info.nFileIndexHigh, info.nFileIndexLow),
                     static_cast<std::int64_t>(Joined(info.nFileSizeHigh, info.nFileSizeLow)),
                     Nanoseconds(times.LastWriteTime), Nanoseconds(times.ChangeTime)};
    error = 0;
    return true;
}

bool TakeJobLock(HANDLE file, bool& heldElsewhere) {
    OVERLAPPED farByte{};
    farByte.Offset = 0xFFFFFFFEU;
    farByte.OffsetHigh = 0x7FFFFFFFU;
    const bool taken = ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                                    0, &farByte) != 0;
    heldElsewhere = !taken && ::GetLastError() == ERROR_LOCK_VIOLATION;
    return taken;
}

}  // namespace parvane
