#include "engine/files/FolderEntries.h"

#include "engine/platform/windows/HandleStatus.h"

namespace parvane {

struct FolderEntries::Reading {
    std::string folder;
    FileIdentity identity;
    HANDLE search = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW found{};
    bool foundUnread = false;  // the search's first entry comes with its start
    std::string lastName;
    DWORD lastAttributes = 0;

    ~Reading() {
        if (search != INVALID_HANDLE_VALUE) {
            ::FindClose(search);
        }
    }
};

FolderEntries::FolderEntries(const std::string& folder) {
    const OwnedHandle self = OpenForLook(folder, AtPath::FollowLink);
    auto reading = std::make_unique<Reading>();
    FileKind kind = FileKind::Other;
    int error = 0;
    if (!self.Valid() || !StatusOfHandle(self.get(), kind, reading->identity, error) ||
        kind != FileKind::Folder) {
        return;
    }
    reading->search = ::FindFirstFileExW(WidePath(folder + "/*").c_str(), FindExInfoBasic,
                                         &reading->found, FindExSearchNameMatch, nullptr, 0);
    if (reading->search == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return;
    }
    reading->foundUnread = reading->search != INVALID_HANDLE_VALUE;
    reading->folder = folder;
    reading_ = std::move(reading);
}

FolderEntries::~FolderEntries() = default;

const FileIdentity& FolderEntries::Identity() const {
    return reading_->identity;
}

std::optional<std::string_view> FolderEntries::NextName() {
    if (!reading_) {
        return std::nullopt;
    }
    Reading& reading = *reading_;
    while (reading.foundUnread || (reading.search != INVALID_HANDLE_VALUE &&
                                   ::FindNextFileW(reading.search, &reading.found))) {
        reading.foundUnread = false;
        const std::wstring_view name = reading.found.cFileName;
        if (name != L"." && name != L"..") {
            reading.lastName = Utf8Path(name.data(), name.size());
            reading.lastAttributes = reading.found.dwFileAttributes;
            return std::string_view(reading.lastName);
        }
    }
    return std::nullopt;
}

FileKind FolderEntries::KindOfLast() const {
    const DWORD attributes = reading_->lastAttributes;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Folder : FileKind::Regular;
    }
    const OwnedHandle target =
        OpenForLook(reading_->folder + "/" + reading_->lastName, AtPath::FollowLink);
    FileKind kind = FileKind::Other;
    FileIdentity identity;
    int error = 0;
    return target.Valid() && StatusOfHandle(target.get(), kind, identity, error) ? kind
                                                                                 : FileKind::Other;
}

}  // namespace parvane
