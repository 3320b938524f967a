// The two bulk add commands: files from the open dialog, and every MP3 file of a
// folder tree.
#pragma once

#include <functional>

class QWidget;

namespace parvane {

class FileDialogs;
class FileListModel;

struct AddFolderHooks {
    std::function<void()> handleEvents;         // keeps the window painting during a scan
    std::function<void(int pointer)> setPointer;  // 11 from the choice until the last append, then 0
    std::function<bool()> stopRequested;        // the window is closing: end the scan early
};

void AddFilesCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list);
void AddFolderCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list,
                      const AddFolderHooks& hooks);

}  // namespace parvane
