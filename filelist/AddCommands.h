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
struct FolderTreeFiles {
    QStringList paths;            // as list texts, in the scan's order
    qsizetype piecesLeftOut = 0;  // files passed over as this program's own pieces
};

// Every MP3 file of the folder's tree. May run on any thread; a stop asked for on the way
// gives nothing.
FolderTreeFiles FindFolderTreeFiles(const QString& folder,
                                    const std::function<bool()>& stopRequested);

}  // namespace parvane
