#include "engine/process/SplitterSearch.h"

#include <cstdlib>

#include "engine/files/FileProbes.h"

namespace parvane {

std::optional<std::string> FindSplitter(const std::string& applicationFolder,
                                        const std::string& searchPath) {
    if (!applicationFolder.empty()) {
        const std::string beside = applicationFolder + "/" + kSplitterName;
        if (IsExecutableFile(beside)) {
            return beside;
        }
    }
    std::size_t begin = 0;
    while (begin <= searchPath.size()) {
        std::size_t end = searchPath.find(':', begin);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty or relative element names a place under the current folder, which is
        // never a sound place to pick up a program from.
        if (end > begin && searchPath[begin] == '/') {
            const std::string candidate =
                searchPath.substr(begin, end - begin) + "/" + kSplitterName;
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
