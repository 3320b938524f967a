#include "filelist/AddCommands.h"

#include <QCoreApplication>

#include <string>
#include <vector>

#include "engine/scan/FolderScan.h"
#include "filelist/FileDialogs.h"
#include "filelist/FileListModel.h"
#include "filelist/PathText.h"

namespace parvane {

void AddFilesCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list) {
    list.AppendMany(dialogs.OpenFiles(parent,
                                      QCoreApplication::translate("AddCommands", kAddFilesTitle),
                                      QCoreApplication::translate("AddCommands", kAddFilesFilter)));
}

QString ChooseFolderToAdd(QWidget* parent, FileDialogs& dialogs) {
    return dialogs.BrowseFolder(parent,
                                QCoreApplication::translate("AddCommands", kAddFolderTitle));
}

FolderTreeFiles FindFolderTreeFiles(const QString& folder,
                                    const std::function<bool()>& stopRequested) {
    const FolderScanResult found = ScanFolderTree(TextToPath(folder), stopRequested);
    if (stopRequested && stopRequested()) return {};
    FolderTreeFiles files;
    files.paths.reserve(static_cast<qsizetype>(found.paths.size()));
    for (const std::string& path : found.paths) files.paths.append(PathToText(path));
    files.piecesLeftOut = static_cast<qsizetype>(found.piecesLeftOut);
    return files;
}

}  // namespace parvane
