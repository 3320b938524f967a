#include "ui/ResourceFolder.h"

#include <QDir>
#include <QFileInfo>

namespace parvane {

namespace {

bool HoldsPointerFiles(const QString& folder) {
    const QDir dir(folder);
    return QFileInfo::exists(dir.filePath(QString::fromLatin1(kHandPointerFile))) ||
           QFileInfo::exists(dir.filePath(QString::fromLatin1(kDragPointerFile)));
}

}  // namespace

QString InstalledResourceFolder(const QString& applicationFolder) {
    return QDir::cleanPath(QDir(applicationFolder).filePath(QStringLiteral(PARVANE_DATA_FROM_BIN)));
}

QString ResourceFolder(const QString& applicationFolder) {
    if (HoldsPointerFiles(applicationFolder)) {
        return applicationFolder;
    }
    const QString installed = InstalledResourceFolder(applicationFolder);
    return HoldsPointerFiles(installed) ? installed : applicationFolder;
}

}  // namespace parvane
