#include "SplitJob.h"

#include <optional>

#include "SourceSplit.h"
#include "SplitterSearch.h"

namespace parvane {

namespace {

std::vector<std::string> PathsOfEntries(const SplitHost& host) {
    std::vector<std::string> paths;
    for (int k = 1; k <= host.EntryCount(); ++k) {
        paths.push_back(host.EntryPath(k));
    }
    return paths;
}

JobEnd SplitEntries(SplitHost& host, ProcessRunner& runner, JobReport& report) {
    WaitHooks hooks;
    hooks.stopRequested = [&host] { return host.StopRequested(); };

    JobContext job;
    job.listedFiles = ListedFiles(PathsOfEntries(host));
    const int fileCount = host.EntryCount();
    for (int i = 1; i <= fileCount; ++i) {
        if (host.StopRequested()) {
            return JobEnd::Stopped;
        }
        if (i > host.EntryCount()) {
            break;
        }
        const std::string sourcePath = host.EntryPath(i);
        host.FileStarted(i, fileCount, sourcePath);
        const int intervalSeconds = host.ChosenInterval();
        report.applicationFolder = host.ApplicationFolder();
        const std::optional<std::string> splitter = FindSplitter(report.applicationFolder);
        if (!splitter) {
            report.searchPath = SearchPath();
            return JobEnd::SplitterMissing;
        }
        job.splitterPath = *splitter;

        SourceSplit split =
            SplitSource(host, runner, hooks, job, i, sourcePath, intervalSeconds);
        if (split.end == SourceEnd::Stopped) {
            return JobEnd::Stopped;
        }
        if (split.end == SourceEnd::SplitterLost) {
            if (split.report.piecesWritten > 0) {
                report.files.push_back(std::move(split.report));
            }
            report.splitterPath = *splitter;
            report.startError = split.startError;
            return JobEnd::SplitterLost;
        }
        host.FileFinished(split.report);
        report.files.push_back(std::move(split.report));
    }
    return JobEnd::Completed;
}

}  // namespace

JobReport RunSplitJob(SplitHost& host, ProcessRunner& runner) {
    JobReport report;
    report.end = host.EntryCount() < 1 ? JobEnd::NoFiles : SplitEntries(host, runner, report);
    host.JobFinished(report);
    return report;
}

}  // namespace parvane
