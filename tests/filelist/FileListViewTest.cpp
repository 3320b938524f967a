#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "FileListModel.h"
#include "FileListView.h"

namespace parvane {

class FileListViewTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        model_ = std::make_unique<FileListModel>();
        view_ = std::make_unique<FileListView>();
        view_->SetFileList(model_.get());
        view_->SetBusyCheck([this] { return busy_; });
        view_->resize(320, 240);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
        busy_ = false;
    }
    void cleanup() {
        view_.reset();
        model_.reset();
    }

    void carryingSlowlyMovesTheTextOnePlacePerNeighbour() {
        Fill({"A", "B", "C", "D", "E"});
        Press(At(0));
        for (int row = 1; row <= 3; ++row) MoveHeld(At(row));
        Release(At(3));
        QCOMPARE(Texts(), QStringList({"B", "C", "D", "A", "E"}));
        QCOMPARE(SelectedRow(), 3);
    }

    void aJumpExchangesOnlyTheCarriedAndTheTargetEntry() {
        Fill({"A", "B", "C", "D", "E"});
        Press(At(0));
        MoveHeld(At(4));
        QCOMPARE(Texts(), QStringList({"E", "B", "C", "D", "A"}));
    }

    void theEntryItselfOrAnEqualTextChangesNothing() {
        Fill({"X", "X", "Y"});
        Press(At(0));
        MoveHeld(At(0));
        MoveHeld(At(1));
        QCOMPARE(Texts(), QStringList({"X", "X", "Y"}));
        QCOMPARE(SelectedRow(), 0);
        // The carried entry stayed where it was, so the jump swaps with it.
        MoveHeld(At(2));
        QCOMPARE(Texts(), QStringList({"Y", "X", "X"}));
    }

    void textsDifferingOnlyInCaseAreExchanged() {
        Fill({"/m/a.mp3", "/m/A.mp3"});
        Press(At(0));
        MoveHeld(At(1));
        QCOMPARE(Texts(), QStringList({"/m/A.mp3", "/m/a.mp3"}));
        QCOMPARE(SelectedRow(), 1);
    }

    void thePickedUpEntryIsKeptByReferenceAfterTheButtonGoesUp() {
        Fill({"A", "B", "C", "D"});
        Click(2);
        model_->RemoveAt(1);
        Press(BelowEntries());
        MoveHeld(At(0));
        QCOMPARE(Texts(), QStringList({"C", "B", "D"}));
    }

    void aRemovedSourceMovesNothing() {
        Fill({"A", "B", "C"});
        Click(1);
        DoubleClick(At(1));
        QCOMPARE(Texts(), QStringList({"A", "C"}));
        Press(BelowEntries());
        MoveHeld(At(0));
        MoveHeld(At(1));
        Release(At(1));
        QCOMPARE(Texts(), QStringList({"A", "C"}));
    }

    void pressAndMoveBeforeAnyClickChangesNothing() {
        Fill({"A", "B", "C"});
        Press(BelowEntries());
        MoveHeld(At(2));
        MoveHeld(At(0));
        Release(At(0));
        QCOMPARE(Texts(), QStringList({"A", "B", "C"}));
        QVERIFY(view_->AcceptsDrops());
    }

    void scrollsOneEntryAtTheEdgesOfTheList() {
        QStringList many;
        for (int i = 0; i < 40; ++i) many << QStringLiteral("/m/%1.mp3").arg(i);
        Fill(many);
        QScrollBar* bar = view_->verticalScrollBar();
        const int bottom = view_->viewport()->height() - 2;
        const int last = RowAt(bottom);
        Press(At(last - 2));
        MoveHeld(At(last - 1));
        QCOMPARE(bar->value(), 0);
        MoveHeld(QPoint(At(last).x(), bottom));
        QVERIFY(bar->value() > 0);
        QVERIFY(Visible(last + 1));
        Release(At(last));

        view_->scrollToBottom();
        const int first = RowAt(1);
        const int before = bar->value();
        Press(At(first + 1));
        MoveHeld(QPoint(At(first).x(), 1));
        QVERIFY(bar->value() < before);
        QVERIFY(Visible(first - 1));
        Release(At(first));
        QCOMPARE(Texts().mid(first, 2), QStringList({QStringLiteral("/m/%1.mp3").arg(first + 1),
                                                     QStringLiteral("/m/%1.mp3").arg(first)}));
    }

    void pickUpShowsTheDragImageUntilTheButtonGoesUp() {
        Fill({"A", "B"});
        QTemporaryDir folder;
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::darkBlue);
        QVERIFY(image.save(folder.filePath("drag.ico"), "ICO"));
        view_->SetApplicationFolder(folder.path());
        Press(At(0));
        QCOMPARE(view_->viewport()->cursor().shape(), Qt::BitmapCursor);
        Release(At(0));
        QCOMPARE(view_->viewport()->cursor().shape(), Qt::ArrowCursor);

        view_->SetApplicationFolder(folder.filePath("elsewhere"));
        Press(At(1));
        QVERIFY(view_->viewport()->cursor().shape() != Qt::BitmapCursor);
        Release(At(1));
    }

    void thePointerRuleRunsOnEveryMove() {
        Fill({"A", "B"});
        int moves = 0;
        view_->SetMouseMoveHook([&] { ++moves; });
        Move(At(0), Qt::NoButton);
        Press(At(0));
        MoveHeld(At(1));
        busy_ = true;
        MoveHeld(At(0));
        QCOMPARE(moves, 3);
    }

    void doubleClickRemovesTheSelectedEntry() {
        Fill({"A", "B", "C"});
        DoubleClick(At(1));
        QCOMPARE(Texts(), QStringList({"A", "C"}));
        view_->clearSelection();
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, At(0),
                                view_->viewport()->mapToGlobal(At(0)), Qt::LeftButton,
                                Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_->viewport(), &doubleClick);
        QCOMPARE(Texts(), QStringList({"A", "C"}));
    }

    void dropsAppendEveryLocalPathInTheirOrder() {
        Fill({"/m/b.mp3"});
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/m/c.mp3"), QUrl::fromLocalFile("/m/folder"),
                      QUrl::fromLocalFile("/m/notes.txt"), QUrl::fromLocalFile("/m/b.mp3"),
                      QUrl::fromLocalFile("/m/~tmp.mp3")});
        QVERIFY(Enter(data));
        QVERIFY(Drop(data));
        QCOMPARE(Texts(), QStringList({"/m/b.mp3", "/m/c.mp3", "/m/folder", "/m/notes.txt",
                                       "/m/b.mp3", "/m/~tmp.mp3"}));
    }

    void anythingButLocalFilesIsRefused() {
        QMimeData text;
        text.setText("/m/a.mp3");
        QVERIFY(!Enter(text));
        QMimeData web;
        web.setUrls({QUrl::fromLocalFile("/m/a.mp3"), QUrl("https://example.org/b.mp3")});
        QVERIFY(!Enter(web));
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/m/a.mp3")});
        // Accepting a move would let the file manager delete what it dragged.
        QVERIFY(!Enter(files, Qt::MoveAction));
        QCOMPARE(model_->Count(), 0);
    }

    void dropsAreRefusedForGoodAfterTheFirstEntryClick() {
        Fill({"A"});
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/m/a.mp3")});
        QVERIFY(view_->AcceptsDrops());
        Click(0);
        QVERIFY(!view_->AcceptsDrops());
        QVERIFY(!Enter(files));
        Press(BelowEntries());
        Release(BelowEntries());
        QVERIFY(!Enter(files));
        QCOMPARE(Texts(), QStringList({"A"}));
    }

    void aBusyListIgnoresEditsAndDrops() {
        Fill({"A", "B", "C"});
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/m/a.mp3")});
        QVERIFY(Enter(files));
        busy_ = true;
        Drop(files);
        QVERIFY(!Enter(files));
        Press(At(0));
        MoveHeld(At(2));
        Release(At(2));
        DoubleClick(At(1));
        QCOMPARE(Texts(), QStringList({"A", "B", "C"}));
        busy_ = false;
        Press(At(0));
        MoveHeld(At(2));
        QCOMPARE(Texts(), QStringList({"C", "B", "A"}));
    }

private:
    void Fill(const QStringList& texts) {
        model_->AppendMany(texts);
        QCoreApplication::processEvents();
    }
    QStringList Texts() const {
        QStringList texts;
        for (int position = 1; position <= model_->Count(); ++position) {
            texts << model_->EntryText(position);
        }
        return texts;
    }
    QPoint At(int row) const { return view_->visualRect(model_->index(row, 0)).center(); }
    QPoint BelowEntries() const {
        const QRect last = view_->visualRect(model_->index(model_->Count() - 1, 0));
        return QPoint(last.center().x(), last.bottom() + last.height());
    }
    int RowAt(int y) const { return view_->indexAt(QPoint(5, y)).row(); }
    bool Visible(int row) const {
        return view_->viewport()->rect().contains(view_->visualRect(model_->index(row, 0)));
    }
    int SelectedRow() const {
        const QModelIndexList rows = view_->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
    void Press(QPoint at) { QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, at); }
    void Click(int row) {
        Press(At(row));
        Release(At(row));
    }
    void Move(QPoint at, Qt::MouseButtons held) {
        QMouseEvent move(QEvent::MouseMove, at, view_->viewport()->mapToGlobal(at), Qt::NoButton,
                         held, Qt::NoModifier);
        QApplication::sendEvent(view_->viewport(), &move);
    }
    void MoveHeld(QPoint at) { Move(at, Qt::LeftButton); }
    // The order in which the window system reports a double-click.
    void DoubleClick(QPoint at) {
        Press(at);
        Release(at);
        QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, at);
        Release(at);
    }
    bool Enter(QMimeData& data, Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
        QDragEnterEvent enter(QPoint(10, 10), offered, &data, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(view_->viewport(), &enter);
        return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    }
    bool Drop(QMimeData& data) {
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        drop.ignore();
        QApplication::sendEvent(view_->viewport(), &drop);
        return drop.isAccepted();
    }

    std::unique_ptr<FileListModel> model_;
    std::unique_ptr<FileListView> view_;
    bool busy_ = false;
};

}  // namespace parvane

QTEST_MAIN(parvane::FileListViewTest)
#include "FileListViewTest.moc"
