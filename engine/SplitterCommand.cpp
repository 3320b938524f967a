#include <unistd.h>
#include <sys/stat.h>

#include <cstdlib>

#include "PiecePaths.h"
#include "SplitJob.h"
#include "TimeStamps.h"

namespace parvane {

namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> SplitterArguments(const std::string& splitterPath,
                                           const std::string& sourcePath, double startStamp,
                                           double endStamp, const std::string& outputName,
                                           const std::string& outputFolder) {
    return {splitterPath, sourcePath, FormatStamp(startStamp), FormatStamp(endStamp),
            "-o",         outputName, "-d",                    outputFolder};
}

std::string SplitterCommandLine(const std::string& splitterPath, const std::string& sourcePath,
                                double startStamp, double endStamp,
                                const std::string& piecePath) {
    const std::string quote = "\"";
    return quote + splitterPath + quote + " " + quote + sourcePath + quote + " " +
           FormatStamp(startStamp) + " " + FormatStamp(endStamp) + " -o " + quote +
           GetFileName(piecePath) + quote + " -d " + quote + GetFolderNoBackslash(piecePath) +
           quote;
}

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
