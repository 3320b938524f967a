#include "ClosingText.h"

#include <cmath>
#include <cstring>
#include <map>

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

// Seconds with at most two decimals: "7.21 s", "5 s".
std::string SecondsText(double seconds) {
    std::string text = std::to_string(std::round(seconds * 100.0) / 100.0);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text + " s";
}

// A point of the audio as minutes and seconds: "7:40".
std::string ClockText(double seconds) {
    const auto whole = static_cast<long long>(seconds);
    const std::string secondsText = std::to_string(whole % 60);
    return std::to_string(whole / 60) + ":" + (secondsText.size() < 2 ? "0" : "") + secondsText;
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
        case Kind::NotSourceAudio:
            return "the splitter wrote no MP3 audio like the source's";
        case Kind::WrongLength:
            return SecondsText(failure.seconds) + " long, not " +
                   SecondsText(failure.expectedSeconds);
        case Kind::TrackNotNumbered:
            return "its track number could not be written";
        case Kind::NoSpace:
            return "No space left on device";
    }
    return {};
}

std::string MissingPiecesText(const FileProblem& problem) {
    if (problem.failure.kind == PieceFailure::Kind::WrongLength) {
        const bool one = problem.pieces.size() == 1;
        return (one ? "piece " : "pieces ") + PieceRanges(problem.pieces) +
               (one ? " is " : " are ") + FailureText(problem.failure);
    }
    return "missing pieces " + PieceRanges(problem.pieces) + " (" + FailureText(problem.failure) +
           ")";
}

// What a file holds instead of MP3 audio, where that is known.
std::string FormatText(const FileProblem& problem) {
    static const std::map<std::string, std::string> kNames = {
        {"audio/x-wav", "WAVE audio"},   {"audio/flac", "FLAC audio"},
        {"audio/ogg", "Ogg audio"},      {"audio/x-aiff", "AIFF audio"},
        {"audio/x-m4a", "MPEG-4 audio"}, {"video/mp4", "MPEG-4"},
        {"text/plain", "text"},          {"application/x-empty", "empty"},
        {"inode/x-empty", "empty"},
    };
    if (problem.layer == 1 || problem.layer == 2) {
        return std::string(" (MPEG layer ") + (problem.layer == 1 ? "I" : "II") + ")";
    }
    if (problem.mediaType.empty()) {
        return {};
    }
    const auto name = kNames.find(problem.mediaType);
    return " (" + (name != kNames.end() ? name->second : problem.mediaType) + ")";
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
            return "not an MP3 file" + FormatText(problem);
        case Kind::CannotRead:
            return "cannot be read " + SystemError(problem.code);
        case Kind::CannotWriteFolder:
            return "cannot write into its folder " + SystemError(problem.code);
        case Kind::MissingPieces:
            return MissingPiecesText(problem);
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
    for (const FileReport& file : report.files) {
        std::vector<std::string> stretches;
        for (const FileNotice& notice : file.notices) {
            stretches.push_back(ClockText(notice.stretch.atSeconds) + " (" +
                                std::to_string(notice.stretch.bytes) + " bytes)");
        }
        if (!stretches.empty()) {
            lines += file.sourcePath + ": damaged audio passed over at " +
                     Joined(stretches, ", ") + "\n";
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
        text += text.empty() ? "" : ", ";
        text += std::to_string(numbers[k]);
        if (last > k) {
            text += '-';
            text += std::to_string(numbers[last]);
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
