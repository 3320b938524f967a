#include "cli/SourceFiles.h"

#include "engine/files/FolderEntries.h"
#include "engine/scan/FolderScan.h"

namespace parvane {

CollectedFiles CollectSourceFiles(const std::vector<ConsoleSource>& sources) {
    CollectedFiles collected;
    for (const ConsoleSource& source : sources) {
        if (source.kind == ConsoleSource::Kind::File) {
            collected.files.push_back(source.path);
            continue;
        }
        if (!FolderEntries(source.path).Opened()) {
            collected.unreadableFolders.push_back(source.path);
            continue;
        }
        const FolderScanResult found = ScanFolderTree(source.path);
        collected.files.insert(collected.files.end(), found.paths.begin(), found.paths.end());
        if (found.piecesLeftOut > 0) {
            collected.piecesLeftOut.emplace_back(source.path, found.piecesLeftOut);
        } else if (found.paths.empty()) {
            collected.foldersWithoutMp3.push_back(source.path);
        }
    }
    return collected;
}

}  // namespace parvane
