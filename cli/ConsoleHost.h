// The split job's host on a terminal: the list comes from the command line, progress
// goes out as lines of text, and a stop comes from SIGINT, SIGTERM or SIGHUP.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "SplitHost.h"

namespace parvane {

class ConsoleHost final : public SplitHost {
public:
    ConsoleHost(std::vector<std::string> files, std::string intervalEntry,
                std::string applicationFolder, std::ostream& out);

    int EntryCount() const override;
    std::string EntryText(int position) const override;
    std::string IntervalEntryText() const override;
    std::string ApplicationFolder() const override;

    void SetProgress(float) override {}
    void SetWindowPointer(int) override {}
    // Kept until the job is over, so the caller can choose where each one goes.
    void ShowMessage(const std::string& text) override;

    void HandlePendingEvents() override {}
    bool StopRequested() const override;

    void FileStarted(int position, const std::string& sourcePath) override;
    void PieceWritten(const std::string& piecePath) override;

    const std::vector<std::string>& Messages() const { return messages_; }

private:
    std::vector<std::string> files_;
    std::string intervalEntry_;
    std::string applicationFolder_;
    std::ostream& out_;
    std::vector<std::string> messages_;
};

}  // namespace parvane
