// What the split job asks of the window (or console) that runs it, and what it tells it.
// The host decides what each event looks like: a bar and a pointer, or lines of text. The
// job asks and tells from the thread it runs on. The job's outcome is not an event: it is
// what RunSplitJob returns.
#pragma once

#include <cstdint>
#include <string>

#include "engine/process/StopNotice.h"

namespace parvane {

class SplitHost {
public:
    virtual ~SplitHost() = default;

    virtual int EntryCount() const = 0;
    virtual std::string EntryPath(int index) const = 0;  // from 0, in list order
    // The piece length in seconds, read at the start of every file.
    virtual int ChosenInterval() const = 0;
    virtual std::string ApplicationFolder() const = 0;  // where the program lies, no trailing "/"

    // True once the job should end: the running splitter is stopped and its piece discarded.
    // Asked between the job's steps and between the reads of long work on files.
    virtual bool StopRequested() const = 0;
    // Requested whenever a stop comes from elsewhere (a button, a signal); the wait for a
    // running splitter sleeps on it, so the run is cut off at once.
    virtual const StopNotice& StopNoticeToWatch() const = 0;
    // An output whose reader going away stops the job as well, even while a splitter runs;
    // -1 for none.
    virtual int OutputToWatch() const { return -1; }

    // position counts from 1, as the file's place in the list is shown.
    virtual void FileStarted(int position, int entryCount, const std::string& sourcePath) = 0;
    virtual void PieceStarted(std::int64_t pieceNumber, const std::string& piecePath) = 0;
    virtual void PieceWritten(std::int64_t pieceNumber, const std::string& piecePath) = 0;
    // After the measure, before piece 1: how many pieces the file's playing time calls for.
    // A host without use for it need not say so.
    virtual void PiecesCounted(std::int64_t) {}
};

}  // namespace parvane
