// All pieces of one source: measured first, then one splitter run per piece, then checked
// against its playing time, so a piece lost inside the audio is never taken for the end.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "engine/files/FilePlacement.h"
#include "engine/job/JobReport.h"
#include "engine/job/ListedFiles.h"
#include "engine/job/SplitHost.h"
#include "engine/process/ProcessRunner.h"

namespace parvane {

// What every source of one job shares.
struct JobContext {
    std::string splitterPath;
    ListedFiles listedFiles;                // no piece may replace one of these
    std::set<std::string> tidiedFolders;    // stale private folders already removed here
    NameExchange exchange = ExchangeNames;  // tests stand in for the file system's swap
};

enum class SourceEnd { Finished, Stopped, SplitterLost };

struct SourceSplit {
    SourceEnd end = SourceEnd::Finished;
    FileReport report;
    int startError = 0;  // SplitterLost: why the splitter would not start
};

SourceSplit SplitSource(SplitHost& host, ProcessRunner& runner, const WaitHooks& hooks,
                        JobContext& job, const std::string& sourcePath, int intervalSeconds);

}  // namespace parvane
