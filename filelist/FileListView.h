// The list view of the file list: a selection of several entries by mouse and keys,
// removal by double-click or the Delete key, drag reordering, and drops of files from
// the file manager.
#pragma once

#include <QCursor>
#include <QPersistentModelIndex>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <optional>

class QMimeData;

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

    // Appends the paths of files dropped on the list, or handed to the program to open,
    // when the list takes drops; false when it refused them.
    bool AddDroppedFiles(const QStringList& paths);
    // The entry's text as the list shows it now, cut to the column's width (1-based).
    QString ShownText(int position) const;
    // The one column fills the list's width, and whatever the user drags it wider by.
    void FillWidth();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool Busy() const;
    QPersistentModelIndex SelectedEntry() const;
    void Select(const QModelIndex& entry);
    void PickUp(const QModelIndex& entry);
    void DragStep(const QPoint& position);
    bool CarryTo(const QModelIndex& target);
    void ScrollPast(const QModelIndex& target);
    void ScrollWhileHeld();
    void CancelDrag();
    void RemoveSelected();
    bool OffersLocalFiles(const QMimeData* mime) const;
    static void AcceptAsCopy(QDropEvent* event);

    FileListModel* fileList_ = nullptr;
    std::function<bool()> isBusy_;
    std::function<void()> mouseMoveHook_;
    std::optional<QCursor> dragCursor_;
    bool dragging_ = false;
    bool acceptsDrops_ = true;  // until the first click on an entry; then every drop is refused
    // Names an entry, not a position: it follows the entry when rows above it go, and
    // becomes invalid when the entry itself is removed.
    QPersistentModelIndex dragSource_;
    // What a drag released outside the list goes back to.
    int rowBeforeDrag_ = -1;
    QItemSelection selectionBeforeDrag_;
    // While a carried entry is held beyond the top (-1) or bottom (1) edge, and how far.
    QTimer edgeScroll_;
    int edgeDirection_ = 0;
    int edgeDistance_ = 0;
    // The current entry while the focus is elsewhere: only the focused control's entry
    // may tell assistive technology it is focused.
    QPersistentModelIndex currentWhileAway_;
    int columnBeyondWidth_ = 0;  // what the user dragged the column wider by
    bool fittingColumn_ = false;
};

}  // namespace parvane
