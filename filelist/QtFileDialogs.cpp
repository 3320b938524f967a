#include <QFileDialog>

#include "FileDialogs.h"

namespace parvane {

// Qt's own dialogs rather than the desktop's: their name filter ignores letter case, so
// "*.mp3" also shows song.MP3 while the filter reads exactly "MP3 Files (*.mp3)". The
// desktop's dialogs match patterns with letter case on Linux.
QStringList QtFileDialogs::OpenFiles(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileNames(parent, title, QString(), filter, nullptr,
                                         QFileDialog::DontUseNativeDialog);
}

QString QtFileDialogs::BrowseFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(
        parent, title, QString(), QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

}  // namespace parvane
