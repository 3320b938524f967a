// What a split job tells its host when a file and when the whole job is over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/AudioFrames.h"
#include "engine/files/FileProblem.h"

namespace parvane {

// What a person should know of a file, which did not keep it from being split completely.
struct FileNotice {
    enum class Kind {
        DamagedAudio,  // stretch: damaged bytes passed over inside the audio
    };
    Kind kind = Kind::DamagedAudio;
    DamagedStretch stretch;
};

struct FileReport {
    std::string sourcePath;
    std::int64_t piecesWritten = 0;
    // Why the file was not split completely; empty when it was.
    std::vector<FileProblem> problems;
    // Pieces of an earlier split with a shorter length, beyond this split's last piece.
    std::vector<std::string> olderPieces;
    std::vector<FileNotice> notices;

    bool SplitCompletely() const { return problems.empty(); }
};

enum class JobEnd {
    NoFiles,          // the list was empty
    Completed,        // every file had its turn
    Stopped,          // the host asked the job to stop
    SplitterMissing,  // none was found beside the program or on PATH
    SplitterLost,     // the one found could not be started (any more)
    InternalError,    // a fault of the program's own ended the job; internalError says which
};

struct JobReport {
    JobEnd end = JobEnd::Completed;
    std::vector<FileReport> files;  // the files that had their turn, in list order
    // When the splitter was missing or lost: where it was looked for, or what would not start.
    std::string applicationFolder;
    std::string searchPath;
    std::string splitterPath;
    int startError = 0;
    std::string internalError;
};

}  // namespace parvane
