// The list view driven by real mouse and drop events, over the file list model, whose
// consistency QAbstractItemModelTester checks all along.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
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
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model_.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
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
        tester_.reset();
        model_.reset();
    }

    void dragMovesTheCarriedEntry_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("pressedRow");  // -1: below the entries
        QTest::addColumn<QList<int>>("movesOver");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("selectedRow");
        const QStringList five{"A", "B", "C", "D", "E"};
        QTest::newRow("slowly over neighbours") << five << 0 << QList<int>{1, 2, 3}
                                                << QStringList{"B", "C", "D", "A", "E"} << 3;
        // A jump ends as passing every entry on the way would: the others keep their order.
        QTest::newRow("jump down") << five << 0 << QList<int>{4}
                                   << QStringList{"B", "C", "D", "E", "A"} << 4;
        QTest::newRow("jump up") << five << 4 << QList<int>{3, 0}
                                 << QStringList{"E", "A", "B", "C", "D"} << 0;
        // Neither the entry itself nor an equal text takes the carried text along.
        QTest::newRow("itself, equal text, other") << QStringList{"X", "X", "Y"} << 0
                                                   << QList<int>{0, 1, 2}
                                                   << QStringList{"X", "Y", "X"} << 2;
        QTest::newRow("differing in case") << QStringList{"/m/a.mp3", "/m/A.mp3"} << 0
                                           << QList<int>{1} << QStringList{"/m/A.mp3", "/m/a.mp3"}
                                           << 1;
        QTest::newRow("before any click") << QStringList{"A", "B", "C"} << -1 << QList<int>{2, 0}
                                          << QStringList{"A", "B", "C"} << -1;
    }
    void dragMovesTheCarriedEntry() {
        QFETCH(QStringList, texts);
        QFETCH(int, pressedRow);
        QFETCH(QList<int>, movesOver);
        QFETCH(QStringList, expected);
        QFETCH(int, selectedRow);
        Fill(texts);
        Press(pressedRow < 0 ? BelowEntries() : At(pressedRow));
        for (int row : movesOver) Move(At(row));
        // Moves with the button down select nothing but the entry that took the text.
        const QModelIndexList selected = view_->selectionModel()->selectedRows();
        QCOMPARE(selected.size() == 1 ? selected.first().row() : -1, selectedRow);
        Release(At(movesOver.last()));
        QCOMPARE(Texts(), expected);
        QCOMPARE(view_->AcceptsDrops(), pressedRow < 0);
    }

    // The picked-up entry is followed when rows above it go, and forgotten when it goes.
    void theSourceIsKeptByReferenceAndARemovedOneMovesNothing() {
        Fill({"A", "B", "C", "D"});
        Press(At(2));
        Release(At(2));
        model_->RemoveAt(1);
        Press(BelowEntries());
        Move(At(0));
        QCOMPARE(Texts(), QStringList({"C", "B", "D"}));
        Release(At(0));

        Remove(0, At(0));
        QCOMPARE(Texts(), QStringList({"B", "D"}));
        Press(BelowEntries());
        Move(At(0));
        Move(At(1));
        Release(At(1));
        QCOMPARE(Texts(), QStringList({"B", "D"}));
    }

    // Just far enough to show the next entry, wherever the list lies on the screen.
    void scrollsOneEntryAtTheEdgesOfTheList() {
        QStringList many;
        for (int i = 0; i < 40; ++i) many << QStringLiteral("/m/%1.mp3").arg(i);
        Fill(many);
        QScrollBar* bar = view_->verticalScrollBar();
        const int bottom = view_->viewport()->height() - 2;
        const int last = view_->indexAt(QPoint(5, bottom)).row();
        Press(At(last - 2));
        Move(At(last - 1));
        QCOMPARE(bar->value(), 0);
        Move(QPoint(5, bottom));
        QVERIFY(Visible(last) && Visible(last + 1));
        // The list scrolled on under the pointer: the next move lands several entries on.
        bar->setValue(bar->value() + 5);
        const int landed = view_->indexAt(QPoint(5, bottom)).row();
        QVERIFY(landed > last + 2);
        Move(QPoint(5, bottom));
        QStringList moved = many;
        moved.move(last - 2, landed);
        QCOMPARE(Texts(), moved);
        Release(At(last));
        many = Texts();

        view_->scrollToBottom();
        const int first = view_->indexAt(QPoint(5, 1)).row();
        Press(At(first + 1));
        Move(QPoint(5, 1));
        QVERIFY(Visible(first) && Visible(first - 1));
        QCOMPARE(Texts().mid(first, 2), QStringList({many.at(first + 1), many.at(first)}));
    }

    // drag.ico beside the program is the pointer from pick-up until the button goes up;
    // the window's pointer rule runs on every move, button down or not.
    void pointerWhileDragging() {
        Fill({"A", "B"});
        int moves = 0;
        view_->SetMouseMoveHook([&] { ++moves; });
        QTemporaryDir folder;
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::darkBlue);
        QVERIFY(image.save(folder.filePath("drag.ico"), "ICO"));
        view_->SetApplicationFolder(folder.path());
        Move(At(1), Qt::NoButton);
        Press(At(0));
        QCOMPARE(view_->viewport()->cursor().shape(), Qt::BitmapCursor);
        Move(At(1));
        Release(At(1));
        QCOMPARE(view_->viewport()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(moves, 2);
    }

    void removesTheSelectedEntry_data() {
        QTest::addColumn<int>("key");  // 0: a double-click
        QTest::newRow("double-click") << 0;
        QTest::newRow("Delete") << int(Qt::Key_Delete);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
    }
    void removesTheSelectedEntry() {
        QFETCH(int, key);
        Fill({"A", "B", "C", "D"});
        Press(At(1));
        Release(At(1));
        Remove(key, At(1));
        QCOMPARE(Texts(), QStringList({"A", "C", "D"}));
        // From the keyboard the next entry takes over, and the key goes on removing.
        if (key != 0) {
            Remove(key, At(1));
            QCOMPARE(Texts(), QStringList({"A", "D"}));
        }
        view_->clearSelection();
        Remove(key, At(0));
        QCOMPARE(Texts().first(), QStringLiteral("A"));
    }

    void dropsAppendLocalPathsInTheirOrderUntilTheFirstEntryClick() {
        QMimeData text;
        text.setText("/m/a.mp3");
        QVERIFY(!Offer<QDragEnterEvent>(text));
        QMimeData web;
        web.setUrls({QUrl::fromLocalFile("/m/a.mp3"), QUrl("https://example.org/b.mp3")});
        QVERIFY(!Offer<QDragEnterEvent>(web));
        QVERIFY(!Offer<QDropEvent>(web));
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/m/c.mp3"), QUrl::fromLocalFile("/m/folder"),
                       QUrl::fromLocalFile("/m/notes.txt"), QUrl::fromLocalFile("/m/c.mp3"),
                       QUrl::fromLocalFile("/m/~tmp.mp3")});
        // Accepting a move would let the file manager delete what it dragged.
        QVERIFY(!Offer<QDragEnterEvent>(files, Qt::MoveAction));
        QCOMPARE(model_->Count(), 0);

        Fill({"/m/b.mp3"});
        QVERIFY(Offer<QDragEnterEvent>(files));
        QVERIFY(Offer<QDropEvent>(files));
        QCOMPARE(Texts(), QStringList({"/m/b.mp3", "/m/c.mp3", "/m/folder", "/m/notes.txt",
                                       "/m/c.mp3", "/m/~tmp.mp3"}));

        // Refused for good from the first click on an entry.
        Press(At(0));
        Release(At(0));
        QVERIFY(!Offer<QDragEnterEvent>(files));
        QVERIFY(!Offer<QDropEvent>(files));
        Press(BelowEntries());
        Release(BelowEntries());
        QVERIFY(!Offer<QDragEnterEvent>(files));
        QCOMPARE(model_->Count(), 6);
    }

    void aBusyListIgnoresEditsAndDrops() {
        Fill({"A", "B", "C"});
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/m/a.mp3")});
        QVERIFY(Offer<QDragEnterEvent>(files));
        busy_ = true;
        QVERIFY(!Offer<QDropEvent>(files));
        QVERIFY(!Offer<QDragEnterEvent>(files));
        Press(At(0));
        Move(At(2));
        Release(At(2));
        Remove(0, At(1));
        QTest::keyClick(view_.get(), Qt::Key_Delete);
        QCOMPARE(Texts(), QStringList({"A", "B", "C"}));
        busy_ = false;
        Press(At(0));
        Move(At(2));
        QCOMPARE(Texts(), QStringList({"B", "C", "A"}));
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
    bool Visible(int row) const {
        return view_->viewport()->rect().contains(view_->visualRect(model_->index(row, 0)));
    }
    void Press(QPoint at) { QTest::mousePress(view_->viewport(), Qt::LeftButton, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(view_->viewport(), Qt::LeftButton, {}, at); }
    void Move(QPoint at, Qt::MouseButtons held = Qt::LeftButton) {
        QMouseEvent move(QEvent::MouseMove, at, view_->viewport()->mapToGlobal(at), Qt::NoButton,
                         held, Qt::NoModifier);
        QApplication::sendEvent(view_->viewport(), &move);
    }
    // A double-click (key 0) arrives after the press and release that selected the entry.
    void Remove(int key, QPoint at) {
        if (key == 0) {
            QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at,
                                    view_->viewport()->mapToGlobal(at), Qt::LeftButton,
                                    Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view_->viewport(), &doubleClick);
        } else {
            QTest::keyClick(view_.get(), Qt::Key(key));
        }
    }
    // A drag from the file manager entering the list, or dropping on it; true when the
    // list takes it as a copy.
    template <typename Event>
    bool Offer(QMimeData& data, Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
        Event event(QPoint(10, 10), offered, &data, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        QApplication::sendEvent(view_->viewport(), &event);
        return event.isAccepted() && event.dropAction() == Qt::CopyAction;
    }

    std::unique_ptr<FileListModel> model_;
    std::unique_ptr<QAbstractItemModelTester> tester_;
    std::unique_ptr<FileListView> view_;
    bool busy_ = false;
};

}  // namespace parvane

QTEST_MAIN(parvane::FileListViewTest)
#include "FileListViewTest.moc"
