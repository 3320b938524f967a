#include "wording/ClosingText.h"

#include <cstring>

#include "engine/names/NumberText.h"
#include "engine/names/PiecePaths.h"
#include "engine/process/ProgramNames.h"
#include "engine/process/SignalNames.h"
#include "engine/process/SplitterSearch.h"
#include "wording/ErrorWords.h"

namespace parvane {

namespace {

std::string Joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

// Our words with the system's own for an error in place of their "%1".
std::string WithSystemError(const std::string& words, int code) {
    return Fill(words, {ErrorWords(code)});
}

// A point of the audio as minutes and seconds: "7:40".
std::string ClockText(double seconds) {
    return MinutesSecondsText(static_cast<std::int64_t>(seconds), ':');
}

class Wording {
public:
    Wording(const Translate& words, const ShowName& names) : translate(words), name(names) {}

    std::string Summary(const JobReport& report) const;
    std::string ProblemLines(const JobReport& report) const;

private:
    std::string Counts(const JobReport& report) const;
    std::string FormatText(long sampleRate, int channels) const;
    std::string FailureText(const PieceFailure& failure) const;
    std::string MissingPiecesText(const FileProblem& problem) const;
    std::string FormatName(const FileProblem& problem) const;
    std::string ProblemText(const FileProblem& problem, const std::string& sourcePath) const;
    std::string SplitBeforeTheEnd(const JobReport& report) const;
    std::string NoticeLines(const FileReport& file) const;

    const Translate& translate;
    const ShowName& name;
};

// Files split completely, in part (some pieces written) and not at all; the last two only
// where there are any.
std::string Wording::Counts(const JobReport& report) const {
    int complete = 0, inPart = 0, notSplit = 0;
    for (const FileReport& file : report.files) {
        ++(file.SplitCompletely() ? complete : file.piecesWritten > 0 ? inPart : notSplit);
    }
    std::vector<std::string> counts = {
        translate("ClosingText", "%n file(s) split completely", nullptr, complete)};
    if (inPart > 0) {
        counts.push_back(translate("ClosingText", "%n split in part", nullptr, inPart));
    }
    if (notSplit > 0) {
        counts.push_back(translate("ClosingText", "%n not split", nullptr, notSplit));
    }
    return Joined(counts, translate("ClosingText", ", ")) + ".";
}

// "44.1 kHz stereo"
std::string Wording::FormatText(long sampleRate, int channels) const {
    const std::string kiloHertz = HundredthsText(static_cast<double>(sampleRate) / 1000.0);
    return Fill(channels == 1 ? translate("ClosingText", "%1 kHz mono")
                              : translate("ClosingText", "%1 kHz stereo"),
                {kiloHertz});
}

std::string Wording::FailureText(const PieceFailure& failure) const {
    using Kind = PieceFailure::Kind;
    switch (failure.kind) {
        case Kind::WroteNothing:
            return translate("ClosingText", "the splitter wrote nothing");
        case Kind::ExitStatus:
            return Fill(translate("ClosingText", "the splitter failed with exit status %1"),
                        {NumberText(failure.code)});
        case Kind::Killed:
            return Fill(translate("ClosingText", "the splitter was killed (%1)"),
                        {SignalName(failure.code)});
        case Kind::WaitFailed:
            return WithSystemError(
                translate("ClosingText", "the splitter's end could not be awaited (%1)"),
                failure.code);
        case Kind::CannotPutInPlace:
            return WithSystemError(translate("ClosingText", "cannot be put in place (%1)"),
                                   failure.code);
        case Kind::SplitterSaid:
            return name(failure.text);
        case Kind::NotSourceAudio:
            return translate("ClosingText", "the splitter wrote no MP3 audio like the source's");
        case Kind::WrongLength:
            return Fill(translate("ClosingText", "%1 s long, not %2 s"),
                        {HundredthsText(failure.seconds), HundredthsText(failure.expectedSeconds)});
        case Kind::TrackNotNumbered:
            return translate("ClosingText", "its track number could not be written");
        case Kind::NoSpace:
            return translate("ClosingText", "No space left on device");
        case Kind::DisplacedFileKept:
            return Fill(translate("ClosingText",
                                  "cannot be put in place (%1); the file that had its name "
                                  "is kept as %2"),
                        {ErrorWords(failure.code), name(failure.text)});
        case Kind::Stopped:
            return translate("ClosingText", "stopped");
        case Kind::FormatChange:
            return Fill(translate("ClosingText",
                                  "changes from %1 to %2 at %3; the splitter cannot cut across "
                                  "the change"),
                        {FormatText(failure.change.fromRate, failure.change.fromChannels),
                         FormatText(failure.change.toRate, failure.change.toChannels),
                         ClockText(failure.change.atSeconds)});
        case Kind::TagsNotCarried:
            return translate("ClosingText", "the source's tags could not be written into it");
    }
    return {};
}

std::string Wording::MissingPiecesText(const FileProblem& problem) const {
    const std::string pieces = PieceRanges(problem.pieces);
    const std::string failure = FailureText(problem.failure);
    if (problem.failure.kind == PieceFailure::Kind::WrongLength) {
        return Fill(problem.pieces.size() == 1 ? translate("ClosingText", "piece %1 is %2")
                                               : translate("ClosingText", "pieces %1 are %2"),
                    {pieces, failure});
    }
    return Fill(translate("ClosingText", "missing pieces %1 (%2)"), {pieces, failure});
}

// What a file holds instead of MP3 audio, where that is known.
std::string Wording::FormatName(const FileProblem& problem) const {
    if (problem.layer == 1 || problem.layer == 2) {
        return Fill(translate("ContentKind", "MPEG layer %1 audio"),
                    {problem.layer == 1 ? "I" : "II"});
    }
    switch (problem.content) {
        case ContentKind::Unknown:
            return {};
        case ContentKind::Empty:
            return translate("ContentKind", "empty");
        case ContentKind::Text:
            return translate("ContentKind", "text");
        case ContentKind::WaveAudio:
            return translate("ContentKind", "WAVE audio");
        case ContentKind::AiffAudio:
            return translate("ContentKind", "AIFF audio");
        case ContentKind::FlacAudio:
            return translate("ContentKind", "FLAC audio");
        case ContentKind::OggAudio:
            return translate("ContentKind", "Ogg audio");
        case ContentKind::AacAudio:
            return translate("ContentKind", "AAC audio");
        case ContentKind::Mpeg4Audio:
            return translate("ContentKind", "MPEG-4 audio");
        case ContentKind::Mpeg4Video:
            return translate("ContentKind", "MPEG-4 video");
        case ContentKind::JpegPicture:
            return translate("ContentKind", "JPEG picture");
        case ContentKind::PngPicture:
            return translate("ContentKind", "PNG picture");
    }
    return {};
}

std::string Wording::ProblemText(const FileProblem& problem, const std::string& sourcePath) const {
    using Kind = FileProblem::Kind;
    switch (problem.kind) {
        case Kind::NoInterval:
            return translate("ClosingText", "no piece length chosen");
        case Kind::EmptyName:
            return translate("ClosingText", "empty file name");
        case Kind::NotFound:
            return translate("ClosingText", "not found");
        case Kind::NotAFile:
            return translate("ClosingText", "not a file");
        case Kind::NotMp3: {
            const std::string format = FormatName(problem);
            return format.empty()
                       ? translate("ClosingText", "not an MP3 file")
                       : Fill(translate("ClosingText", "not an MP3 file (%1)"), {format});
        }
        case Kind::CannotRead:
            return WithSystemError(translate("ClosingText", "cannot be read (%1)"), problem.code);
        case Kind::CannotWriteFolder:
            return WithSystemError(translate("ClosingText", "cannot write into its folder (%1)"),
                                   problem.code);
        case Kind::MissingPieces:
            return MissingPiecesText(problem);
        case Kind::NameTaken:
            return Fill(translate("ClosingText", "piece name taken by a listed file: %1"),
                        {name(problem.path)});
        case Kind::ChangedDuringSplit:
            return translate("ClosingText", "changed during the split");
        case Kind::OtherFileAtName:
            return Fill(translate("ClosingText",
                                  "%1: the name is taken by a file that is not a piece of %2; "
                                  "it was kept"),
                        {name(GetFileName(problem.path)), name(GetFileName(sourcePath))});
        case Kind::SplitByAnotherJob:
            return translate("ClosingText", "being split by another job");
        case Kind::Stopped:
            return translate("ClosingText", "not split (stopped)");
        case Kind::FreeFormat:
            return translate("ClosingText", "free-format MP3, which the splitter cannot cut");
        case Kind::PathTooLong:
            return translate("ClosingText", "the path is too long");
        case Kind::SplitterLostAfter:
            return Fill(translate("ClosingText", "stopped before piece %1"),
                        {PieceRanges(problem.pieces)});
    }
    return {};
}

std::string Wording::ProblemLines(const JobReport& report) const {
    const std::string fileLine = translate("ClosingText", "%1: %2");
    const std::string separator = translate("ClosingText", "; ");
    std::string lines;
    for (const FileReport& file : report.files) {
        if (!file.SplitCompletely()) {
            std::vector<std::string> texts;
            for (const FileProblem& problem : file.problems) {
                texts.push_back(ProblemText(problem, file.sourcePath));
            }
            lines += Fill(fileLine, {file.sourcePath.empty() ? "\"\"" : name(file.sourcePath),
                                     Joined(texts, separator)}) +
                     "\n";
        }
    }
    for (const FileReport& file : report.files) {
        if (!file.olderPieces.empty()) {
            const std::string first = GetFileName(file.olderPieces.front());
            const std::string last = GetFileName(file.olderPieces.back());
            const std::size_t count = file.olderPieces.size();
            const std::string text =
                count == 1   ? Fill(translate("ClosingText", "%1: older pieces remain: %2"),
                                    {name(file.sourcePath), name(first)})
                : count == 2 ? Fill(translate("ClosingText", "%1: older pieces remain: %2, %3"),
                                    {name(file.sourcePath), name(first), name(last)})
                             : Fill(translate("ClosingText", "%1: older pieces remain: %2 to %3"),
                                    {name(file.sourcePath), name(first), name(last)});
            lines += text + "\n";
        }
    }
    for (const FileReport& file : report.files) {
        lines += NoticeLines(file);
    }
    return lines;
}

// Damaged stretches inside the audio on one line, what follows the audio on another.
std::string Wording::NoticeLines(const FileReport& file) const {
    std::vector<std::string> stretches;
    std::string after;
    for (const FileNotice& notice : file.notices) {
        const DamagedStretch& stretch = notice.stretch;
        const std::string bytes = NumberText(stretch.bytes);
        if (!stretch.atEnd) {
            stretches.push_back(Fill(translate("ClosingText", "%1 (%2 bytes)"),
                                     {ClockText(stretch.atSeconds), bytes}));
        } else if (stretch.zeros) {
            after =
                Fill(translate("ClosingText", "%1: %2 bytes of zeros after the audio, passed over"),
                     {name(file.sourcePath), bytes});
        } else {
            after = Fill(translate("ClosingText",
                                   "%1: %2 bytes that are not audio after the audio, passed over"),
                         {name(file.sourcePath), bytes});
        }
    }
    std::string lines;
    if (!stretches.empty()) {
        lines += Fill(translate("ClosingText", "%1: damaged audio passed over at %2"),
                      {name(file.sourcePath), Joined(stretches, ", ")}) +
                 "\n";
    }
    return after.empty() ? lines : lines + after + "\n";
}

std::string Wording::SplitBeforeTheEnd(const JobReport& report) const {
    std::vector<std::string> complete, inPart;
    for (const FileReport& file : report.files) {
        if (file.SplitCompletely()) {
            complete.push_back(name(file.sourcePath));
        } else if (file.piecesWritten > 0) {
            inPart.push_back(name(file.sourcePath));
        }
    }
    std::vector<std::string> lines;
    if (!complete.empty()) {
        lines.push_back(Fill(translate("ClosingText", "Split completely before that: %1."),
                             {Joined(complete, ", ")}));
    }
    if (!inPart.empty()) {
        lines.push_back(Fill(translate("ClosingText", "Split in part before that: %1."),
                             {Joined(inPart, ", ")}));
    }
    return lines.empty() ? translate("ClosingText", "Nothing was split.") : Joined(lines, "\n");
}

std::string Wording::Summary(const JobReport& report) const {
    switch (report.end) {
        case JobEnd::NoFiles:
            return translate("ClosingText", "No files added.");
        case JobEnd::SplitterMissing:
            return Fill(translate("ClosingText",
                                  "The splitter %1 was not found. Looked for %2 and for %1 on "
                                  "PATH (%3). Install the Debian package mp3splt."),
                        {kSplitterName,
                         name(report.applicationFolder + "/" + ProgramFileName(kSplitterName)),
                         name(report.searchPath)}) +
                   "\n" + SplitBeforeTheEnd(report);
        case JobEnd::SplitterLost:
            return Fill(translate("ClosingText",
                                  "The splitter %1 could not be started (%2). Splitting was "
                                  "stopped."),
                        {name(report.splitterPath), ErrorWords(report.startError)}) +
                   "\n" + SplitBeforeTheEnd(report);
        case JobEnd::InternalError:
            return Fill(translate("ClosingText", "internal error: %1"),
                        {name(report.internalError)}) +
                   "\n" + SplitBeforeTheEnd(report);
        case JobEnd::Completed:
        case JobEnd::Stopped:
            break;
    }
    const std::string heading = report.end == JobEnd::Stopped ? translate("ClosingText", "Stopped.")
                                                              : translate("ClosingText", "Done.");
    return heading + "\n" + Counts(report);
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
        text += NumberText(numbers[k]);
        if (last > k) {
            text += '-';
            text += NumberText(numbers[last]);
        }
        k = last + 1;
    }
    return text;
}

std::string AsItIs(const std::string& name) {
    return name;
}

ClosingText MakeClosingText(const JobReport& report, const Translate& translate,
                            const ShowName& showName) {
    const Wording wording(translate, showName);
    ClosingText text;
    text.summary = wording.Summary(report);
    if (report.end != JobEnd::NoFiles) {
        text.details = wording.ProblemLines(report);
        if (!text.details.empty()) {
            text.details.pop_back();
        }
    }
    return text;
}

}  // namespace parvane
