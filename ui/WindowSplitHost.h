// The split job's view of the main window: the file list's entries and the chooser's
// length in, and the job's events out as the hourglass, the bar and the closing message.
#pragma once

#include "SplitHost.h"

namespace parvane {

class MainWindow;

class WindowSplitHost final : public SplitHost {
public:
    explicit WindowSplitHost(MainWindow& form) : form_(form) {}

    int EntryCount() const override;
    std::string EntryPath(int position) const override;
    int ChosenInterval() const override;
    std::string ApplicationFolder() const override;

    void HandlePendingEvents() override;
    bool StopRequested() const override;

    // The hourglass, and the bar at the share of files begun.
    void FileStarted(int position, int entryCount, const std::string& sourcePath) override;
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t, const std::string&) override {}
    void FileFinished(const FileReport&) override {}
    // The closing message, then an empty bar and the default pointer. An empty list only
    // says so; a stop shows nothing.
    void JobFinished(const JobReport& report) override;

private:
    MainWindow& form_;
};

}  // namespace parvane
