// The two bulk add commands: files from the open dialog, and every MP3 file of a
// folder tree.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace parvane {

class FileDialogs;
class FileListModel;

void AddFilesCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list);

// The folder the user picks for "Add All MP3 File(s) In Folder"; empty when cancelled.
QString ChooseFolderToAdd(QWidget* parent, FileDialogs& dialogs);
// Every MP3 file of the folder's tree as list texts, in the scan's order. May run on any
// thread; a stop asked for on the way gives nothing.
QStringList FolderTreeFiles(const QString& folder, const std::function<bool()>& stopRequested);

}  // namespace parvane
