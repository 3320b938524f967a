// Why a file was not split completely, as values: the engine says what happened, and each
// front end puts it into words of its own language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
        NoSpace,           // its folder's file system is full (of data or of files)
    };
    Kind kind = Kind::WroteNothing;
    int code = 0;
    std::string text;

    bool operator==(const PieceFailure&) const = default;
};

struct FileProblem {
    enum class Kind {
        NoInterval,          // no piece length was chosen
        EmptyName,           // the list's entry is empty
        NotFound,
        NotAFile,            // a folder, a device, ...
        NotMp3,
        CannotRead,          // code: errno
        CannotWriteFolder,   // code: errno of making the private folder
        MissingPieces,       // pieces, failure: what the last of their runs said
        NameTaken,           // path: the listed file a piece would have replaced
        ChangedDuringSplit,
    };
    Kind kind = Kind::NotFound;
    int code = 0;
    std::vector<std::int64_t> pieces;
    PieceFailure failure;
    std::string path;
};

inline FileProblem MakeProblem(FileProblem::Kind kind, int code = 0) {
    FileProblem problem;
    problem.kind = kind;
    problem.code = code;
    return problem;
}

}  // namespace parvane
