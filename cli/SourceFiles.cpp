#include "SourceFiles.h"

#include <dirent.h>

#include "FolderScan.h"

namespace parvane {

namespace {

bool IsReadableFolder(const std::string& path) {
    DIR* folder = ::opendir(path.c_str());
    if (folder == nullptr) {
        return false;
    }
    ::closedir(folder);
    return true;
}

}  // namespace

CollectedFiles CollectSourceFiles(const std::vector<ConsoleSource>& sources) {
    CollectedFiles collected;
    for (const ConsoleSource& source : sources) {
        if (source.kind == ConsoleSource::Kind::File) {
            collected.files.push_back(source.path);
            continue;
        }
        if (!IsReadableFolder(source.path)) {
            collected.unreadableFolders.push_back(source.path);
            continue;
        }
        const std::vector<std::string> found = ScanFolderTree(source.path);
        collected.files.insert(collected.files.end(), found.begin(), found.end());
    }
    return collected;
}

}  // namespace parvane
