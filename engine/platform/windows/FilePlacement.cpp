#include "engine/files/FilePlacement.h"

#include <cerrno>

#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

namespace {

int Move(const std::string& from, const std::string& to, DWORD flags) {
    return ::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), flags) ? 0 : LastErrno();
}

}  // namespace

// Without MOVEFILE_REPLACE_EXISTING the move refuses any name already taken, in one step.
int MoveToFreeName(const std::string& from, const std::string& to) {
    return Move(from, to, 0);
}

// Windows swaps no two names in one step, so MoveOver looks just before the replacing move.
int ExchangeNames(const std::string&, const std::string&) {
    return ENOSYS;
}

bool IsExpectedFile(const std::string& path, const FileIdentity& expected) {
    const OwnedHandle file = OpenForLook(path, AtPath::OwnName);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    return file.Valid() && StatusOfHandle(file.get(), kind, identity, error) &&
           kind == FileKind::Regular && identity.SameContent(expected);
}

int MoveToFreeNameByLink(const std::string& from, const std::string& to) {
    if (::CreateHardLinkW(WidePath(to).c_str(), WidePath(from).c_str(), nullptr)) {
        RemoveFile(from);
        return 0;
    }
    return MoveToFreeName(from, to);
}

int MoveOverChecked(const std::string& from, const std::string& to, const FileIdentity& expected) {
    if (!IsExpectedFile(to, expected)) {
        return EEXIST;
    }
    return Move(from, to, MOVEFILE_REPLACE_EXISTING);
}

void RemoveFile(const std::string& path) {
    ::DeleteFileW(WidePath(path).c_str());
}

// Who may read a file is an access list on Windows, which a new file inherits from its
// folder; the piece, made beside the source, gets its folder's list, and no bits are narrowed.
int NarrowAccess(const std::string&, const FileAccess&) {
    return 0;
}

}  // namespace parvane
