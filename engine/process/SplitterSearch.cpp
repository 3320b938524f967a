#include "engine/process/SplitterSearch.h"

#include <cstdlib>
#include <string_view>

#include "engine/files/FileProbes.h"
#include "engine/process/ProgramNames.h"

namespace parvane {

std::optional<std::string> FindSplitter(const std::string& applicationFolder,
                                        const std::string& searchPath) {
    const std::string splitterFile = ProgramFileName(kSplitterName);
    if (!applicationFolder.empty()) {
        const std::string beside = applicationFolder + "/" + splitterFile;
        if (IsExecutableFile(beside)) {
            return beside;
        }
    }
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        std::size_t end = searchPath.find(SearchPathSeparator(), begin);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty or relative element names a place under the current folder, which is
        // never a sound place to pick up a program from.
        const std::string_view folder = std::string_view(searchPath).substr(begin, end - begin);
        if (IsAbsoluteFolder(folder)) {
            const std::string candidate = std::string(folder) + "/" + splitterFile;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        begin = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> FindSplitter(const std::string& applicationFolder) {
    return FindSplitter(applicationFolder, SearchPath());
}

std::string SearchPath() {
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "";
}

}  // namespace parvane
