#include "filelist/FileListView.h"

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

#include "filelist/EntryDelegate.h"
#include "filelist/FileListModel.h"
#include "filelist/PathText.h"
#include "filelist/PointerFile.h"

namespace parvane {

namespace {

// How often a carried entry held beyond an edge moves the list on.
constexpr int kEdgeScrollMs = 50;

// Entries a tick with the pointer `distance` pixels beyond the edge: one close to it, more
// with the square of the distance, as file managers speed up.
int EdgeScrollRows(int distance, int rowHeight) {
    const double rows = static_cast<double>(distance) / std::max(rowHeight, 1);
    return 1 + static_cast<int>(rows * rows / 2.0);
}

}  // namespace

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(ExtendedSelection);
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
    connect(header(), &QHeaderView::sectionResized, this, [this](int, int, int newSize) {
        if (!fittingColumn_) columnBeyondWidth_ = std::max(0, newSize - viewport()->width());
    });
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

QString FileListView::ShownText(int position) const {
    const QModelIndex entry = model() != nullptr ? model()->index(position - 1, 0) : QModelIndex();
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(entry);
    return static_cast<const EntryDelegate*>(itemDelegate())->ShownText(option, entry);
}

void FileListView::FillWidth() {
    if (header()->count() < 1) return;
    fittingColumn_ = true;
    header()->resizeSection(0, viewport()->width() + columnBeyondWidth_);
    fittingColumn_ = false;
}

// Also told when the viewport alone changes, as when the upright scroll bar comes or goes.
void FileListView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    FillWidth();
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
        selectionModel()->setCurrentIndex(
            entry, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->clearSelection();
    }
    setAutoScroll(autoScrolls);
}

// Any button picks the entry pressed up; only the left one carries it, and only without
// Shift or Ctrl, which widen or narrow the selection instead.
void FileListView::mousePressEvent(QMouseEvent* event) {
    selectionBeforeDrag_ =
        selectionModel() != nullptr ? selectionModel()->selection() : QItemSelection();
    dragging_ = event->button() == Qt::LeftButton &&
                !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
    QTreeView::mousePressEvent(event);
    const QModelIndex pressed = indexAt(event->position().toPoint());
    if (fileList_ != nullptr && pressed.isValid()) PickUp(pressed);
    rowBeforeDrag_ = dragSource_.isValid() ? dragSource_.row() : -1;
}

void FileListView::PickUp(const QModelIndex& entry) {
    if (dragCursor_ && dragging_) viewport()->setCursor(*dragCursor_);
    acceptsDrops_ = false;
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
    dragSource_ = entry;
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
    edgeDistance_ = edgeDirection_ < 0 ? -position.y() : position.y() - viewport()->height() + 1;
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

// As item views scroll a drag held still beyond their edge, faster the farther the pointer
// is, the carried entry going along to the entry at the edge.
void FileListView::ScrollWhileHeld() {
    if (!dragging_ || edgeDirection_ == 0 || fileList_ == nullptr || Busy()) {
        edgeScroll_.stop();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int entryHeight = fileList_->Count() > 0 ? rowHeight(fileList_->index(0, 0)) : 1;
    bar->setValue(bar->value() +
                  edgeDirection_ * EdgeScrollRows(edgeDistance_, entryHeight) * bar->singleStep());
    CarryTo(indexAt(QPoint(1, edgeDirection_ < 0 ? 0 : viewport()->height() - 1)));
}

void FileListView::CancelDrag() {
    if (fileList_ == nullptr || Busy()) return;
    if (dragSource_.isValid() && rowBeforeDrag_ >= 0 && dragSource_.row() != rowBeforeDrag_) {
        const int row = rowBeforeDrag_;
        fileList_->Move(dragSource_.row() + 1, row + 1);
        dragSource_ = fileList_->index(row, 0);
    }
    selectionModel()->select(selectionBeforeDrag_, QItemSelectionModel::ClearAndSelect);
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

// The entry that moves up into the first removed one's place is selected, so the key held
// down or pressed again goes on removing.
void FileListView::RemoveSelected() {
    if (fileList_ == nullptr || Busy()) return;
    QList<int> rows;
    for (const QModelIndex& entry : selectionModel()->selectedRows()) rows << entry.row();
    if (rows.isEmpty()) return;
    const int first = *std::min_element(rows.begin(), rows.end());
    fileList_->RemoveRows(rows);
    if (fileList_->Count() > 0) {
        const QModelIndex next = fileList_->index(std::min(first, fileList_->Count() - 1), 0);
        Select(next);
        scrollTo(next);
    }
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
    RemoveSelected();
}

// Coming in by Tab, the current entry (else the first) is brought into view and, when
// nothing is selected, selected, so Delete acts at once on an entry the person sees.
void FileListView::focusInEvent(QFocusEvent* event) {
    // Not scrolled to on the way: a click that brings the focus back must land on the entry
    // that was under the pointer.
    if (currentWhileAway_.isValid() && selectionModel() != nullptr) {
        const bool autoScrolls = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(currentWhileAway_, QItemSelectionModel::NoUpdate);
        setAutoScroll(autoScrolls);
    }
    currentWhileAway_ = QPersistentModelIndex();
    QTreeView::focusInEvent(event);
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (!byKeyboard || fileList_ == nullptr || fileList_->Count() == 0) return;
    const QModelIndex current = currentIndex().isValid() ? currentIndex() : fileList_->index(0, 0);
    if (!SelectedEntry().isValid()) Select(current);
    scrollTo(current);
}

void FileListView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    if (selectionModel() == nullptr || !currentIndex().isValid()) return;
    currentWhileAway_ = currentIndex();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
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
