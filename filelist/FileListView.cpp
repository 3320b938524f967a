#include "FileListView.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "EntryDelegate.h"
#include "FileListModel.h"
#include "PathText.h"
#include "PointerFile.h"

namespace parvane {

namespace {

// How often a carried entry held beyond an edge moves the list on by one entry.
constexpr int kEdgeScrollMs = 50;

}  // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setDragEnabled(false);
    // The entry paints its own focus mark.
    setAllColumnsShowFocus(false);
    setItemDelegate(new EntryDelegate(this));
    setTextElideMode(Qt::ElideMiddle);
    // Lets the user drag the header's divider past the right edge to read long paths.
    header()->setStretchLastSection(false);
    setHorizontalScrollMode(ScrollPerPixel);
    // The window's pointer rule wants every move, not only moves with a button down.
    viewport()->setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    edgeScroll_.setInterval(kEdgeScrollMs);
    connect(&edgeScroll_, &QTimer::timeout, this, &FileListView::ScrollWhileHeld);
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

QString FileListView::ShownText(int position) const {
    const QModelIndex entry = model() != nullptr ? model()->index(position - 1, 0) : QModelIndex();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(entry);
    return static_cast<const EntryDelegate*>(itemDelegate())->ShownText(option, entry);
}

bool FileListView::Busy() const {
    return isBusy_ && isBusy_();
}

QPersistentModelIndex FileListView::SelectedEntry() const {
    const QModelIndexList selected =
        selectionModel() != nullptr ? selectionModel()->selectedRows() : QModelIndexList();
    return selected.isEmpty() ? QPersistentModelIndex() : QPersistentModelIndex(selected.first());
}

// Selecting must not scroll on its own: a drag step scrolls at most one entry.
void FileListView::Select(const QModelIndex& entry) {
    const bool autoScrolls = hasAutoScroll();
    setAutoScroll(false);
    if (entry.isValid()) {
        selectionModel()->setCurrentIndex(entry, QItemSelectionModel::ClearAndSelect |
                                                     QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
    }
    setAutoScroll(autoScrolls);
}

// Any button picks an entry up; only the left one carries it.
void FileListView::mousePressEvent(QMouseEvent* event) {
    selectedBeforeDrag_ = SelectedEntry();
    dragging_ = event->button() == Qt::LeftButton;
    // The base class selects the entry under the pointer; picking up reads that selection.
    QTreeView::mousePressEvent(event);
    if (fileList_ != nullptr && indexAt(event->position().toPoint()).isValid()) PickUpSelected();
    rowBeforeDrag_ = dragSource_.isValid() ? dragSource_.row() : -1;
}

void FileListView::PickUpSelected() {
    if (dragCursor_ && dragging_) viewport()->setCursor(*dragCursor_);
    acceptsDrops_ = false;
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    dragSource_ = SelectedEntry();
}

void FileListView::mouseMoveEvent(QMouseEvent* event) {
    if (mouseMoveHook_) mouseMoveHook_();
    // With a button down the base class would drag a selection along; the drag step
    // below decides alone what a move with a button down does.
    if (event->buttons() == Qt::NoButton) QTreeView::mouseMoveEvent(event);
    if (!dragging_) return;
    const QPoint position = event->position().toPoint();
    // The timer stops itself once the pointer is back inside.
    edgeDirection_ = position.y() < 0 ? -1 : position.y() >= viewport()->height() ? 1 : 0;
    if (edgeDirection_ != 0 && !edgeScroll_.isActive()) edgeScroll_.start();
    DragStep(position);
}

void FileListView::DragStep(const QPoint& position) {
    if (fileList_ == nullptr || Busy()) return;
    if (CarryTo(indexAt(position))) ScrollPast(dragSource_);
}

// A move, not an exchange: when the pointer jumps several entries (a fast move, or the
// list scrolled under it), the entries in between keep their order, as if the pointer had
// passed them one at a time. Equal texts are different entries all the same.
bool FileListView::CarryTo(const QModelIndex& target) {
    // An invalid source is one whose entry was removed since it was picked up.
    if (!target.isValid() || !dragSource_.isValid() || target.row() == dragSource_.row()) {
        return false;
    }
    const int targetRow = target.row();
    fileList_->Move(dragSource_.row() + 1, targetRow + 1);
    const QModelIndex moved = fileList_->index(targetRow, 0);
    Select(moved);
    dragSource_ = moved;
    return true;
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

// As item views scroll a drag held still beyond their edge: an entry a tick, the carried
// entry going along to the entry at the edge.
void FileListView::ScrollWhileHeld() {
    if (!dragging_ || edgeDirection_ == 0 || fileList_ == nullptr || Busy()) {
        edgeScroll_.stop();
        return;
    }
    verticalScrollBar()->triggerAction(edgeDirection_ < 0 ? QAbstractSlider::SliderSingleStepSub
                                                          : QAbstractSlider::SliderSingleStepAdd);
    CarryTo(indexAt(QPoint(1, edgeDirection_ < 0 ? 0 : viewport()->height() - 1)));
}

void FileListView::CancelDrag() {
    if (fileList_ == nullptr || Busy()) return;
    if (dragSource_.isValid() && rowBeforeDrag_ >= 0 && dragSource_.row() != rowBeforeDrag_) {
        const int row = rowBeforeDrag_;
        fileList_->Move(dragSource_.row() + 1, row + 1);
        dragSource_ = fileList_->index(row, 0);
    }
    Select(selectedBeforeDrag_);
}

// Released outside the list, a drag is taken back.
void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasDragging = dragging_;
    dragging_ = false;
    edgeScroll_.stop();
    viewport()->setCursor(Qt::ArrowCursor);
    QTreeView::mouseReleaseEvent(event);
    if (wasDragging && !rect().contains(viewport()->mapTo(this, event->position().toPoint()))) {
        CancelDrag();
    }
}

void FileListView::RemoveSelected() {
    if (fileList_ == nullptr || Busy()) return;
    const QPersistentModelIndex selected = SelectedEntry();
    if (selected.isValid()) fileList_->RemoveAt(selected.row() + 1);
}

// The entry under the pointer goes, and only for the left button.
void FileListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (fileList_ == nullptr || Busy() || event->button() != Qt::LeftButton) return;
    const QModelIndex entry = indexAt(event->position().toPoint());
    if (entry.isValid()) fileList_->RemoveAt(entry.row() + 1);
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

// Coming in by Tab, the current entry (else the first) is selected, so Delete acts at once.
void FileListView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (!byKeyboard || fileList_ == nullptr || fileList_->Count() == 0 || SelectedEntry().isValid()) {
        return;
    }
    Select(currentIndex().isValid() ? currentIndex() : fileList_->index(0, 0));
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
    dragMoveEvent(event);
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
