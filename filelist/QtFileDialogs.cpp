#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

#include <algorithm>

#include "filelist/FileDialogs.h"

namespace parvane {
namespace {

// The desktop's own dialog where its platform theme offers one (the portal's on a
// sandboxed desktop), Qt's own otherwise. Qt's own has a dead end: after a folder is
// typed into the name field and entered, it keeps that folder selected in its file views,
// so Open merely re-enters the folder and empties the field, whatever name is typed next,
// until a file is clicked. Dropping that left-over selection mends it.
class OpenFilesDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        QFileDialog::accept();
        if (isVisible()) ForgetEnteredFolder();
    }

private:
    void ForgetEnteredFolder() {
        const QString here = directory().absolutePath();
        for (const char* viewName : {"listView", "treeView"}) {
            auto* view = findChild<QAbstractItemView*>(QString::fromLatin1(viewName));
            if (view == nullptr || view->selectionModel() == nullptr) continue;
            const QModelIndexList rows = view->selectionModel()->selectedRows();
            const auto isHere = [&here](const QModelIndex& row) {
                const QString path = row.data(QFileSystemModel::FilePathRole).toString();
                return QFileInfo(path).absoluteFilePath() == here;
            };
            const bool onlyHere = !rows.isEmpty() && std::all_of(rows.begin(), rows.end(), isHere);
            if (onlyHere) view->selectionModel()->clearSelection();
        }
    }
};

}  // namespace

QStringList QtFileDialogs::OpenFiles(QWidget* parent, const QString& title, const QString& filter) {
    OpenFilesDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

QString QtFileDialogs::BrowseFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title, QString(), QFileDialog::ShowDirsOnly);
}

}  // namespace parvane
