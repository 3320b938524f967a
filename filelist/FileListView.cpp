#include "FileListView.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "FileListModel.h"
#include "PathText.h"
#include "PointerFile.h"

namespace parvane {

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setDragEnabled(false);
    setAllColumnsShowFocus(true);
    // Lets the user drag the header's divider past the right edge to read long paths.
    header()->setStretchLastSection(false);
    setHorizontalScrollMode(ScrollPerPixel);
    // The window's pointer rule wants every move, not only moves with a button down.
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

void FileListView::SetFileList(FileListModel* model) {
    setModel(model);
    fileList_ = model;
    dragSource_ = QPersistentModelIndex();
}

void FileListView::SetApplicationFolder(const QString& folder) {
    dragCursor_.reset();
    if (folder.isEmpty()) return;
    const QString path = QDir(folder).filePath(QStringLiteral("drag.ico"));
    if (!QFileInfo::exists(path)) return;
    dragCursor_ = LoadCursorFile(path, qGuiApp->devicePixelRatio());
}

void FileListView::SetBusyCheck(std::function<bool()> isBusy) {
    isBusy_ = std::move(isBusy);
}

void FileListView::SetMouseMoveHook(std::function<void()> hook) {
    mouseMoveHook_ = std::move(hook);
}

bool FileListView::AcceptsDrops() const {
    return acceptsDrops_;
}

bool FileListView::Busy() const {
    return isBusy_ && isBusy_();
}

void FileListView::mousePressEvent(QMouseEvent* event) {
    dragging_ = true;
    // The base class selects the entry under the pointer; picking up reads that selection.
    QTreeView::mousePressEvent(event);
    if (fileList_ != nullptr && indexAt(event->position().toPoint()).isValid()) PickUpSelected();
}

void FileListView::PickUpSelected() {
    if (dragCursor_) viewport()->setCursor(*dragCursor_);
    acceptsDrops_ = false;
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    const QModelIndexList selected = selectionModel()->selectedRows();
    dragSource_ = selected.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(selected.first());
}

void FileListView::mouseMoveEvent(QMouseEvent* event) {
    if (mouseMoveHook_) mouseMoveHook_();
    // With a button down the base class would drag a selection along; the drag step
    // below decides alone what a move with a button down does.
    if (event->buttons() == Qt::NoButton) QTreeView::mouseMoveEvent(event);
    if (dragging_) DragStep(event->position().toPoint());
}

void FileListView::DragStep(const QPoint& position) {
    if (fileList_ == nullptr || Busy()) return;
    const QModelIndex target = indexAt(position);
    // An invalid source is one whose entry was removed since it was picked up.
    if (!target.isValid() || !dragSource_.isValid()) return;
    const int sourcePosition = dragSource_.row() + 1;
    const int targetPosition = target.row() + 1;
    if (fileList_->EntryText(sourcePosition) == fileList_->EntryText(targetPosition)) return;
    // A move, not an exchange: when the pointer jumps several entries (a fast move, or
    // the list scrolled under it), the entries in between keep their order, as if the
    // pointer had passed them one at a time.
    fileList_->Move(sourcePosition, targetPosition);
    const QModelIndex moved = fileList_->index(targetPosition - 1, 0);
    // Selecting must not scroll on its own: a drag step scrolls at most one entry.
    const bool autoScrolls = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(moved, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    setAutoScroll(autoScrolls);
    dragSource_ = moved;
    ScrollPast(moved);
}

void FileListView::ScrollPast(const QModelIndex& target) {
    const QRect rect = visualRect(target);
    const int row = target.row();
    QModelIndex next;
    if (rect.top() <= 0 && row > 0) {
        next = fileList_->index(row - 1, 0);
    } else if (rect.bottom() >= viewport()->height() - 1 && row + 1 < fileList_->Count()) {
        next = fileList_->index(row + 1, 0);
    }
    if (!next.isValid()) return;
    // scrollTo would also jump back to the column's left edge when the column is wider
    // than the list, undoing the user's sideways scrolling.
    const int sideways = horizontalScrollBar()->value();
    scrollTo(next);
    horizontalScrollBar()->setValue(sideways);
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    viewport()->setCursor(Qt::ArrowCursor);
    QTreeView::mouseReleaseEvent(event);
}

void FileListView::RemoveSelected() {
    if (fileList_ == nullptr || Busy()) return;
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (!selected.isEmpty()) {
        fileList_->RemoveAt(selected.first().row() + 1);
    }
}

void FileListView::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    RemoveSelected();
}

void FileListView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete && event->key() != Qt::Key_Backspace) {
        QTreeView::keyPressEvent(event);
        return;
    }
    event->accept();
    // The view's single selection passes to the entry that moves up into the removed one's
    // place, so the key held down or pressed again goes on removing.
    RemoveSelected();
}

bool FileListView::OffersLocalFiles(const QMimeData* mime) const {
    if (!acceptsDrops_ || fileList_ == nullptr || Busy() || mime == nullptr || !mime->hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = mime->urls();
    return !urls.isEmpty() &&
           std::all_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// The list only records the dropped paths. Reporting a move would tell the file manager
// to delete what it dragged, so a drag that offers nothing but a move is refused.
void FileListView::AcceptAsCopy(QDropEvent* event) {
    if (event->possibleActions() & Qt::CopyAction) {
        event->setDropAction(Qt::CopyAction);
    } else if (event->possibleActions() & Qt::LinkAction) {
        event->setDropAction(Qt::LinkAction);
    } else {
        event->ignore();
        return;
    }
    event->accept();
}

void FileListView::dragEnterEvent(QDragEnterEvent* event) {
    if (OffersLocalFiles(event->mimeData())) {
        AcceptAsCopy(event);
    } else {
        event->ignore();
    }
}

void FileListView::dragMoveEvent(QDragMoveEvent* event) {
    if (OffersLocalFiles(event->mimeData())) {
        AcceptAsCopy(event);
    } else {
        event->ignore();
    }
}

void FileListView::dropEvent(QDropEvent* event) {
    if (!OffersLocalFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    AcceptAsCopy(event);
    if (!event->isAccepted()) return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) paths.append(LocalPathOfUrl(url));
    AddDroppedFiles(paths);
}

bool FileListView::AddDroppedFiles(const QStringList& paths) {
    if (!acceptsDrops_ || fileList_ == nullptr || Busy()) return false;
    fileList_->AppendMany(paths);
    return true;
}

}  // namespace parvane
