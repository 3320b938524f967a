#include "ClosingText.h"

#include <cstring>

#include "PiecePaths.h"
#include "SplitterSearch.h"

namespace parvane {

namespace {

std::string Files(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

std::string ProblemLines(const JobReport& report) {
    std::string lines;
    for (const FileReport& file : report.files) {
        if (!file.SplitCompletely()) {
            lines += file.sourcePath + ": " + Joined(file.problems, "; ") + "\n";
        }
    }
    for (const FileReport& file : report.files) {
        if (!file.olderPieces.empty()) {
            std::string names = GetFileName(file.olderPieces.front());
            if (file.olderPieces.size() > 1) {
                names += (file.olderPieces.size() > 2 ? " to " : ", ") +
                         GetFileName(file.olderPieces.back());
            }
            lines += file.sourcePath + ": older pieces remain: " + names + "\n";
        }
    }
    return lines;
}

std::string SplitBeforeTheEnd(const JobReport& report) {
    std::vector<std::string> complete;
    for (const FileReport& file : report.files) {
        if (file.SplitCompletely()) {
            complete.push_back(file.sourcePath);
        }
    }
    if (complete.empty()) {
        return "Nothing was split.";
    }
    return "Split completely before that: " + Joined(complete, ", ") + ".";
}

}  // namespace

ClosingText MakeClosingText(const JobReport& report) {
    ClosingText text;
    std::string lines = ProblemLines(report);
    if (!lines.empty()) {
        lines.pop_back();
    }
    switch (report.end) {
        case JobEnd::NoFiles:
            text.summary = kMessageNoFiles;
            return text;
        case JobEnd::SplitterMissing:
            text.summary = std::string("The splitter ") + kSplitterName +
                           " was not found. Looked for " + report.applicationFolder + "/" +
                           kSplitterName + " and for " + kSplitterName + " on PATH (" +
                           report.searchPath + "). Install the Debian package mp3splt.\n" +
                           SplitBeforeTheEnd(report);
            break;
        case JobEnd::SplitterLost:
            text.summary = "The splitter " + report.splitterPath + " could not be started (" +
                           std::strerror(report.startError) + "). Splitting was stopped.\n" +
                           SplitBeforeTheEnd(report);
            break;
        case JobEnd::Completed:
        case JobEnd::Stopped: {
            std::size_t withProblems = 0;
            for (const FileReport& file : report.files) {
                withProblems += file.SplitCompletely() ? 0 : 1;
            }
            text.summary = std::string(kMessageDone) + "\n" +
                           Files(report.files.size() - withProblems) + " split completely" +
                           (withProblems > 0 ? ", " + std::to_string(withProblems) +
                                                   " with problems."
                                             : ".");
            break;
        }
    }
    text.details = lines;
    return text;
}

}  // namespace parvane
