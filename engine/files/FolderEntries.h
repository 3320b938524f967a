// Reading one folder: the names of its entries, what each is, and which folder it is, so a
// walk that follows links can tell a folder it read before under another name. The build
// picks the system's way to read a folder.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/files/FileProbes.h"

namespace parvane {

class FolderEntries {
public:
    // Opens folder (following links); Opened() is false when it cannot be read.
    explicit FolderEntries(const std::string& folder);
    ~FolderEntries();
    FolderEntries(const FolderEntries&) = delete;
    FolderEntries& operator=(const FolderEntries&) = delete;

    bool Opened() const { return reading_ != nullptr; }
    // Which folder was opened; only while Opened().
    const FileIdentity& Identity() const;
    // The next entry's name, "." and ".." passed over, valid until the next call; nullopt
    // after the last one or when the folder cannot be read further (what was read stands).
    std::optional<std::string_view> NextName();
    // What the entry NextName gave last is, a symbolic link followed: Other when it names
    // nothing or cannot be looked at. Asked only of the entries a caller wants, as the system
    // may have to look it up.
    FileKind KindOfLast() const;

private:
    struct Reading;
    std::unique_ptr<Reading> reading_;
};

}  // namespace parvane
