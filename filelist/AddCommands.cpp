#include "AddCommands.h"

#include <string>
#include <vector>

#include "FileDialogs.h"
#include "FileListModel.h"
#include "FolderScan.h"
#include "PathText.h"

namespace parvane {

void AddFilesCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list) {
    list.AppendMany(dialogs.OpenFiles(parent, QString::fromUtf8(kAddFilesTitle),
                                      QString::fromUtf8(kAddFilesFilter)));
}

QString ChooseFolderToAdd(QWidget* parent, FileDialogs& dialogs) {
    return dialogs.BrowseFolder(parent, QString::fromUtf8(kAddFolderTitle));
}

QStringList FolderTreeFiles(const QString& folder, const std::function<bool()>& stopRequested) {
    const std::vector<std::string> paths = ScanFolderTree(TextToPath(folder), stopRequested).paths;
    if (stopRequested && stopRequested()) return {};
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(paths.size()));
    for (const std::string& path : paths) texts.append(PathToText(path));
    return texts;
}

}  // namespace parvane
