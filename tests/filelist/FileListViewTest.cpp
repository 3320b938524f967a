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

    void dragExchangesTexts_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("pressedRow");  // -1: below the entries
        QTest::addColumn<QList<int>>("movesOver");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("selectedRow");
        const QStringList five{"A", "B", "C", "D", "E"};
        QTest::newRow("slowly over neighbours") << five << 0 << QList<int>{1, 2, 3}
                                                << QStringList{"B", "C", "D", "A", "E"} << 3;
        QTest::newRow("jump over several") << five << 0 << QList<int>{4}
                                           << QStringList{"E", "B", "C", "D", "A"} << 4;
        // Neither the entry itself nor an equal text takes the carried text along.
        QTest::newRow("equal text only") << QStringList{"X", "X", "Y"} << 0 << QList<int>{0, 1}
                                         << QStringList{"X", "X", "Y"} << 0;
        QTest::newRow("itself, equal text, other") << QStringList{"X", "X", "Y"} << 0
                                                   << QList<int>{0, 1, 2}
                                                   << QStringList{"Y", "X", "X"} << 2;
        QTest::newRow("differing in case") << QStringList{"/m/a.mp3", "/m/A.mp3"} << 0
                                           << QList<int>{1} << QStringList{"/m/A.mp3", "/m/a.mp3"}
                                           << 1;
        QTest::newRow("before any click") << QStringList{"A", "B", "C"} << -1 << QList<int>{2, 0}
                                          << QStringList{"A", "B", "C"} << -1;
    }
    void dragExchangesTexts() {
        QFETCH(QStringList, texts);
        QFETCH(int, pressedRow);
        QFETCH(QList<int>, movesOver);
        QFETCH(QStringList, expected);
        QFETCH(int, selectedRow);
        Fill(texts);
        Press(pressedRow < 0 ? BelowEntries() : At(pressedRow));
        for (int row : movesOver) MoveHeld(At(row));
        // Moves with the button down select nothing but the entry that took the text.
        QCOMPARE(SelectedRow(), selectedRow);
        Release(At(movesOver.last()));
        QCOMPARE(Texts(), expected);
        QCOMPARE(view_->AcceptsDrops(), pressedRow < 0);
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
