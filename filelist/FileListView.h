// The list view of the file list: double-click removal, drag reordering by exchanging
// texts, and drops of files from the file manager.
#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>
#include <functional>

namespace parvane {

class FileListModel;

class FileListView final : public QTreeView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    void SetFileList(FileListModel* model);
    // Folder of drag.ico; empty means no drag image.
    void SetApplicationFolder(const QString& folder);
    // While this says busy, edits and drops are ignored.
    void SetBusyCheck(std::function<bool()> isBusy);
    // Runs on every mouse move over the list (the window's pointer rule).
    void SetMouseMoveHook(std::function<void()> hook);

    bool AcceptsDrops() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace parvane
