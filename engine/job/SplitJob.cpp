#include "engine/job/SplitJob.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "engine/job/SourceSplit.h"
#include "engine/process/SplitterSearch.h"

namespace parvane {

namespace {

std::vector<std::string> PathsOfEntries(const SplitHost& host) {
    std::vector<std::string> paths;
    for (int k = 0; k < host.EntryCount(); ++k) {
        paths.push_back(host.EntryPath(k));
    }
    return paths;
}

// The files a stop left untouched, from index `first` on.
void AddNotBegun(const SplitHost& host, int first, int fileCount, JobReport& report) {
    for (int k = first; k < std::min(fileCount, host.EntryCount()); ++k) {
        FileReport file;
        file.sourcePath = host.EntryPath(k);
        file.problems.push_back(MakeProblem(FileProblem::Kind::Stopped));
        report.files.push_back(std::move(file));
    }
}

JobEnd SplitEntries(SplitHost& host, ProcessRunner& runner, JobReport& report) {
    WaitHooks hooks;
    hooks.stop = &host.StopNoticeToWatch();
    hooks.output = host.OutputToWatch();
    hooks.stopRequested = [&host] { return host.StopRequested(); };

    JobContext job;
    job.listedFiles = ListedFiles(PathsOfEntries(host));
    const int fileCount = host.EntryCount();
    for (int i = 0; i < fileCount; ++i) {
        if (host.StopRequested()) {
            AddNotBegun(host, i, fileCount, report);
            return JobEnd::Stopped;
        }
        if (i >= host.EntryCount()) {
            break;
        }
        const std::string sourcePath = host.EntryPath(i);
        host.FileStarted(i + 1, fileCount, sourcePath);
        const int intervalSeconds = host.ChosenInterval();
        report.applicationFolder = host.ApplicationFolder();
        const std::optional<std::string> splitter = FindSplitter(report.applicationFolder);
        if (!splitter) {
            report.searchPath = SearchPath();
            return JobEnd::SplitterMissing;
        }
        job.splitterPath = *splitter;

        SourceSplit split = SplitSource(host, runner, hooks, job, sourcePath, intervalSeconds);
        if (split.end == SourceEnd::Stopped) {
            report.files.push_back(std::move(split.report));
            AddNotBegun(host, i + 1, fileCount, report);
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
        report.files.push_back(std::move(split.report));
    }
    return JobEnd::Completed;
}

}  // namespace

JobReport RunSplitJob(SplitHost& host, ProcessRunner& runner) {
    JobReport report;
    // A fault of ours ends the job, not the program: the private folders are tidied on the
    // way out, and the host hears why.
    try {
        report.end = host.EntryCount() < 1 ? JobEnd::NoFiles : SplitEntries(host, runner, report);
    } catch (const std::exception& fault) {
        report.end = JobEnd::InternalError;
        report.internalError = fault.what();
    }
    return report;
}

}  // namespace parvane
