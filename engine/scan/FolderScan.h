// Finding the MP3 files of a folder tree, level by level, for the window and the console
// front end alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace parvane {

// Paths are the chosen folder's text followed by "/" (none added when it already ends
// with one, so "/" gives "/a.mp3") and the names below it joined with "/". An empty
// folder text finds nothing.

struct FolderScanResult {
    std::vector<std::string> paths;
    // Files left out as this program's own pieces: name-0001.mp3 where name.mp3 lies beside
    // it (same letter case), so a split never cuts pieces into pieces.
    std::size_t piecesLeftOut = 0;
};

// Full paths of every MP3 file of the tree, level by level: the folder, then its
// sub-folders breadth first, grouped by parent in the parents' order, each group and each
// folder's files (hidden ones included) in name order (NameOrder.h). Hidden folders are
// never entered; every real folder is read at most once; folders that cannot be read are
// passed over; names beginning with "~" and pieces are left out. stopRequested is asked
// for every entry read; a scan ended early returns what it found.
FolderScanResult ScanFolderTree(const std::string& root,
                                const std::function<bool()>& stopRequested = {});

}  // namespace parvane
