// The split job's view of the main window: the file list's entries and the chooser's
// length in, and the job's events out as the hourglass, the bar and the closing message.
#pragma once

#include <QString>
#include <functional>
#include <utility>

#include "SplitHost.h"

class QComboBox;

namespace parvane {

class FileListModel;
class JobProgressBar;

// The parts of the main window a job works on, lent for the job's length.
struct JobWindowParts {
    FileListModel& files;
    const QComboBox& intervalChooser;
    JobProgressBar& progressBar;
    QString applicationFolder;
    std::function<bool()> closing;
    std::function<void(int pointer)> setPointer;
    std::function<void(const QString& text, const QString& details)> showMessage;
};

class WindowSplitHost final : public SplitHost {
public:
    explicit WindowSplitHost(JobWindowParts window) : window_(std::move(window)) {}

    int EntryCount() const override;
    std::string EntryPath(int position) const override;
    int ChosenInterval() const override;
    std::string ApplicationFolder() const override;

    void HandlePendingEvents() override;
    bool StopRequested() const override;

    // The hourglass, the bar at the share of files begun, and in its words the file's
    // place and name, then the piece being written.
    void FileStarted(int position, int entryCount, const std::string& sourcePath) override;
    void PieceStarted(std::int64_t pieceNumber, const std::string& piecePath) override;
    void PieceWritten(std::int64_t, const std::string&) override {}
    void FileFinished(const FileReport&) override {}
    // The closing message, "Done." and a line of counts first; the problem lines below
    // them, or in the message's details when there are more than a few. Then an empty bar
    // and the default pointer. An empty list only says so; a stop shows nothing.
    void JobFinished(const JobReport& report) override;

private:
    JobWindowParts window_;
    QString fileWords_;
};

}  // namespace parvane
