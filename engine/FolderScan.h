// Finding the MP3 files of a folder tree, level by level, for the window and the console
// front end alike.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "EventPacer.h"

namespace parvane {

struct ScanHooks {
    std::function<void()> handleEvents;    // keeps the window painting during a scan
    std::function<bool()> stopRequested;   // asked around each handleEvents: ends the scan early
    std::chrono::milliseconds eventInterval = kEventInterval;
};

// Paths are the chosen folder's text followed by "/" (none added when it already ends
// with one, so "/" gives "/a.mp3") and the names below it joined with "/". An empty
// folder text finds nothing.

// The folder (with a trailing "/") followed by all its sub-folders, breadth first,
// grouped by parent in the parents' order, each group in case-insensitive name order.
// Hidden folders are never entered; every real folder appears at most once; folders
// that cannot be read are passed over. handleEvents runs often enough to repaint.
std::vector<std::string> CollectSubFolders(const std::string& root, const ScanHooks& hooks = {});

// Names (no folder) of the files in folder matching *.mp3 in any letter case, hidden
// ones included, in case-insensitive name order.
std::vector<std::string> ListFolderFiles(const std::string& folder);

// Full paths of every MP3 file of the tree, in the order the add-folder command appends
// them (names beginning with "~" left out). A scan ended early returns what it found.
std::vector<std::string> ScanFolderTree(const std::string& root, const ScanHooks& hooks = {});

}  // namespace parvane
