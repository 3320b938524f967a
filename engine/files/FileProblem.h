// Why a file was not split completely, as values: the engine says what happened, and each
// front end puts it into words of its own language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/AudioFrames.h"
#include "engine/audio/ContentKind.h"

namespace parvane {

// Why one splitter run left no usable piece.
struct PieceFailure {
    enum class Kind {
        WroteNothing,      // the run succeeded and left no piece
        ExitStatus,        // code: the splitter's exit status
        Killed,            // code: the signal that ended it
        WaitFailed,        // code: errno of the wait
        CannotPutInPlace,  // code: errno of the rename
        SplitterSaid,      // text: the splitter's own reason
        NotSourceAudio,    // the piece holds no MP3 audio of the source's sample rate
        WrongLength,       // seconds: what the piece plays, expectedSeconds: what it should
        TrackNotNumbered,  // its track number could not be written into its tags
        NoSpace,           // its folder's file system is full (of data or of files)
        // code: errno of the failed swap back; text: where the file that had the piece's name
        // now lies (in the private folder, which is kept)
        DisplacedFileKept,
        Stopped,         // the job was stopped before the piece was put in place
        FormatChange,    // change: the source's audio changes its sample rate before its end
        TagsNotCarried,  // the source's tags could not be written into it
    };
    Kind kind = Kind::WroteNothing;
    int code = 0;
    std::string text = {};
    double seconds = 0.0;
    double expectedSeconds = 0.0;
    FormatChange change = {};

    bool operator==(const PieceFailure&) const = default;
};

struct FileProblem {
    enum class Kind {
        NoInterval,  // no piece length was chosen
        EmptyName,   // the list's entry is empty
        NotFound,
        NotAFile,           // a folder, a device, ...
        NotMp3,             // layer: MPEG audio of layer 1 or 2; content: what else it holds
        CannotRead,         // code: errno
        CannotWriteFolder,  // code: errno of making the private folder
        MissingPieces,      // pieces: the pieces not put in place for one failure
        NameTaken,          // path: the listed file a piece would have replaced
        ChangedDuringSplit,
        OtherFileAtName,    // path: a piece's path, where a file that is not its piece was kept
        SplitByAnotherJob,  // another job holds the source's lock
        Stopped,            // the job was stopped before any piece of it was written
        FreeFormat,         // MP3 frames without a bit rate, which the splitter cannot cut
        PathTooLong,        // the pieces' paths would be longer than the system allows
        SplitterLostAfter,  // pieces: the piece whose run the splitter could not be started for
    };
    Kind kind = Kind::NotFound;
    int code = 0;
    std::vector<std::int64_t> pieces;
    PieceFailure failure;
    std::string path;
    int layer = 0;
    ContentKind content = ContentKind::Unknown;
};

inline FileProblem MakeProblem(FileProblem::Kind kind, int code = 0) {
    FileProblem problem;
    problem.kind = kind;
    problem.code = code;
    return problem;
}

}  // namespace parvane
