// The split job: every listed file, piece by piece, one splitter run per piece.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ProcessRunner.h"
#include "SplitHost.h"

namespace parvane {

inline constexpr const char* kMessageNoFiles = "No files added.";
inline constexpr const char* kMessageDone = "Done.";
inline constexpr const char* kSplitterName = "mp3splt";

// The splitter's argument vector for one piece. outputName is the name handed to -o
// (the splitter adds its own extension to it).
std::vector<std::string> SplitterArguments(const std::string& splitterPath,
                                           const std::string& sourcePath, double startStamp,
                                           double endStamp, const std::string& outputName,
                                           const std::string& outputFolder);

// The same run as one line of text, paths in double quotes. For display and logs only:
// nothing ever hands it to a shell.
std::string SplitterCommandLine(const std::string& splitterPath, const std::string& sourcePath,
                                double startStamp, double endStamp,
                                const std::string& piecePath);

// Number of runs a file gets, counting pieces 1 and 2, from the source's size and
// piece 2's size (either -1 when it could not be opened). nullopt: no estimate, the
// file ends after piece 2.
std::optional<std::int64_t> EstimatePieceLimit(std::int64_t sourceSize, std::int64_t pieceSize);

// mp3splt beside the program, else the first one in an absolute folder of PATH; nullopt
// when neither exists.
std::optional<std::string> FindSplitter(const std::string& applicationFolder);
// The same with the folders to search given as a PATH-style list.
std::optional<std::string> FindSplitter(const std::string& applicationFolder,
                                        const std::string& searchPath);
// The process's PATH, empty when it has none.
std::string SearchPath();

struct SplitResult {
    bool splitterMissing = false;              // none found, or the one found would not start
    bool stopped = false;                      // the host asked the job to stop
    std::vector<std::string> filesWithoutPieces;
    std::vector<std::string> filesIncomplete;  // some pieces written, some lost to failed runs
    int filesDone = 0;
    int piecesWritten = 0;
};

// Text of the closing message for a finished job: "Done.", followed by the files that
// yielded no piece at all and those that lost pieces, when there are any.
std::string ClosingMessage(const SplitResult& result);

// Splits every listed file. An empty list only shows "No files added.". When no splitter
// can be found or started, says so, splits nothing more and resets progress and pointer.
// A stop asked for by the host cuts the running splitter off and ends the job without a
// message. Every piece appears complete under its path or not at all.
SplitResult RunSplitJob(SplitHost& host, ProcessRunner& runner);

}  // namespace parvane
