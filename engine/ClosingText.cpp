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

std::string SystemError(int code) {
    return std::string("(") + std::strerror(code) + ")";
}

std::string FailureText(const PieceFailure& failure) {
    using Kind = PieceFailure::Kind;
    switch (failure.kind) {
        case Kind::WroteNothing:
            return "the splitter wrote nothing";
        case Kind::ExitStatus:
            return "the splitter failed with exit status " + std::to_string(failure.code);
        case Kind::Killed:
            return std::string("the splitter was killed (") + ::strsignal(failure.code) + ")";
        case Kind::WaitFailed:
            return "the splitter's end could not be awaited " + SystemError(failure.code);
        case Kind::CannotPutInPlace:
            return "cannot be put in place " + SystemError(failure.code);
        case Kind::SplitterSaid:
            return failure.text;
        case Kind::NoSpace:
            return "No space left on device";
    }
    return {};
}

std::string ProblemText(const FileProblem& problem) {
    using Kind = FileProblem::Kind;
    switch (problem.kind) {
        case Kind::NoInterval:
            return "no piece length chosen";
        case Kind::EmptyName:
            return "empty file name";
        case Kind::NotFound:
            return "not found";
        case Kind::NotAFile:
            return "not a file";
        case Kind::NotMp3:
            return "not an MP3 file";
        case Kind::CannotRead:
            return "cannot be read " + SystemError(problem.code);
        case Kind::CannotWriteFolder:
            return "cannot write into its folder " + SystemError(problem.code);
        case Kind::MissingPieces:
            return "missing pieces " + PieceRanges(problem.pieces) + " (" +
                   FailureText(problem.failure) + ")";
        case Kind::NameTaken:
            return "piece name taken by a listed file: " + problem.path;
        case Kind::ChangedDuringSplit:
            return "changed during the split";
    }
    return {};
}

std::string ProblemLines(const JobReport& report) {
    std::string lines;
    for (const FileReport& file : report.files) {
        if (!file.SplitCompletely()) {
            std::vector<std::string> texts;
            for (const FileProblem& problem : file.problems) {
                texts.push_back(ProblemText(problem));
            }
            lines += (file.sourcePath.empty() ? "\"\"" : file.sourcePath) + ": " +
                     Joined(texts, "; ") + "\n";
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

std::string PieceRanges(const std::vector<std::int64_t>& numbers) {
    std::string text;
    for (std::size_t k = 0; k < numbers.size();) {
        std::size_t last = k;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1) {
            ++last;
        }
        text += (text.empty() ? "" : ", ") + std::to_string(numbers[k]);
        if (last > k) {
            text += "-" + std::to_string(numbers[last]);
        }
        k = last + 1;
    }
    return text;
}

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
