// Turns the console's FILE and --folder arguments into the list of files to split, in
// the order given, the way the window's add commands would fill its list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/ConsoleArguments.h"

namespace parvane {

struct CollectedFiles {
    std::vector<std::string> files;
    std::vector<std::string> unreadableFolders;  // --folder values that are no readable folder
    std::vector<std::string> foldersWithoutMp3;  // --folder values that held nothing to split
    // Per --folder that left out pieces of its files: the folder and how many.
    std::vector<std::pair<std::string, std::size_t>> piecesLeftOut;
};

CollectedFiles CollectSourceFiles(const std::vector<ConsoleSource>& sources);

}  // namespace parvane
