#include "FileArguments.h"

#include <filesystem>
#include <string_view>

#include "PathText.h"

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
        std::filesystem::path path(argument);
        if (path.is_relative()) {
            std::error_code noFolder;
            const std::filesystem::path here = std::filesystem::current_path(noFolder);
            if (!noFolder) path = (here / path).lexically_normal();
        }
        files.append(PathToText(path.native()));
    }
    return files;
}

}  // namespace parvane
