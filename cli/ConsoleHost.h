// The split job's host on a terminal: the list comes from the command line, progress
// goes out as lines of text, and a stop comes from SIGINT, SIGTERM or SIGHUP, or from an
// output nobody reads any more or that cannot be written (a full device).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/job/SplitHost.h"

namespace parvane {

class ConsoleHost final : public SplitHost {
public:
    // outFd is the descriptor out writes to, watched for its reader going away; stop is
    // requested by the stop signals.
    ConsoleHost(std::vector<std::string> files, int intervalSeconds, std::string applicationFolder,
                std::ostream& out, int outFd, const StopNotice& stop);

    int EntryCount() const override;
    std::string EntryPath(int index) const override;
    int ChosenInterval() const override { return intervalSeconds_; }
    std::string ApplicationFolder() const override { return applicationFolder_; }

    bool StopRequested() const override;
    const StopNotice& StopNoticeToWatch() const override { return stop_; }
    int OutputToWatch() const override { return outFd_; }
    bool OutputLost() const;
    int WriteError() const { return writeError_; }  // errno of a write that failed otherwise

    void FileStarted(int position, int entryCount, const std::string& sourcePath) override;
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t pieceNumber, const std::string& piecePath) override;

private:
    void NoteFailedWrite();

    std::vector<std::string> files_;
    int intervalSeconds_;
    std::string applicationFolder_;
    std::ostream& out_;
    int outFd_;
    const StopNotice& stop_;
    bool outputLost_ = false;  // told by a failed write
    int writeError_ = 0;
};

}  // namespace parvane
