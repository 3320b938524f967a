#include "engine/job/ListedFiles.h"

#include <filesystem>
#include <optional>

#include "engine/names/PathText.h"
#include "engine/names/PiecePaths.h"

namespace parvane {

namespace {

std::string Normal(const std::string& path) {
    return Utf8FromPath(PathFromUtf8(path).lexically_normal());
}

// The folder a path lies in, as a file, with the path's last name.
std::optional<std::tuple<std::uint64_t, std::uint64_t, std::string>> NameInFolder(
    const std::string& path) {
    const std::string folder = GetFolder(path);
    const std::optional<FileIdentity> identity = IdentityOf(folder.empty() ? "." : folder);
    if (!identity) {
        return std::nullopt;
    }
    return std::tuple{identity->device, identity->inode, GetFileName(path)};
}

}  // namespace

ListedFiles::ListedFiles(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        paths_.insert(Normal(path));
        if (const std::optional<FileIdentity> identity = IdentityOf(path)) {
            files_.push_back(*identity);
        }
        if (const auto name = NameInFolder(path)) {
            namesInFolders_.insert(*name);
        }
    }
}

bool ListedFiles::Holds(const std::string& path) const {
    if (paths_.count(Normal(path)) > 0 || IsOneOf(path, files_)) {
        return true;
    }
    const auto name = NameInFolder(path);
    return name && namesInFolders_.count(*name) > 0;
}

}  // namespace parvane
