// Questions asked of files outside the splitter: a byte size, plain existence, what and
// which file a path names. None reports an error: every failure becomes its result.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace parvane {

// Byte size of a regular file that can be opened for reading; -1 otherwise (missing,
// unreadable, a folder).
std::int64_t RegularFileSize(const std::string& path);

bool FileExists(const std::string& path);

// Which file a path names, and the state of its content as far as the file system tells.
// The status-change time moves with every write and no program can set it back, so a file
// rewritten with its size and modification time restored still differs.
struct FileIdentity {
    // The file system and the file's number on it (a device and an inode, or the system's like).
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t changedNs = 0;

    bool SameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    // The same file with the same content, even after a rename (which moves the change time).
    bool SameContent(const FileIdentity& other) const {
        return SameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
    bool operator==(const FileIdentity&) const = default;
};

enum class FileKind { Regular, Folder, Other };

// What a path itself names, a symbolic link not followed.
struct NameStatus {
    int error = 0;  // errno of the look: ENOENT when nothing has the name
    FileKind kind = FileKind::Other;
    FileIdentity identity;
};

NameStatus StatusOfName(const std::string& path);

// The identity of what path names (following symbolic links); nullopt when it names nothing.
std::optional<FileIdentity> IdentityOf(const std::string& path);

// True when path names one of the files, under whatever name.
bool IsOneOf(const std::string& path, const std::vector<FileIdentity>& files);

// True when path names (following links) a regular file this process may run.
bool IsExecutableFile(const std::string& path);

// Whether the system takes a path of this length, and a name of this length in a folder.
bool PathLengthFits(const std::string& path);
bool NameLengthFits(const std::string& name);

// True when the file system of folder has all but run out of room or of files: a splitter
// that failed there was most likely stopped by that, whatever it said.
bool FolderNearlyFull(const std::string& folder);

}  // namespace parvane
