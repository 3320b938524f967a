#include "app/FileArguments.h"

#include <filesystem>
#include <string_view>

#include "engine/names/PiecePaths.h"
#include "filelist/PathText.h"

namespace parvane {

QStringList FileArguments(int argc, const char* const* argv) {
    QStringList files;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.empty()) continue;
        if (!optionsEnded && argument.front() == '-') {
            optionsEnded = argument == "--";
            continue;
        }
        std::error_code noFolder;
        const std::string here = std::filesystem::current_path(noFolder).string();
        files.append(PathToText(noFolder ? std::string(argument)
                                         : AbsolutePath(std::string(argument), here)));
    }
    return files;
}

}  // namespace parvane
