// The list view driven by real mouse, key and drop events, over the file list model, whose
// consistency QAbstractItemModelTester checks all along.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"

namespace parvane {
namespace {

// The list on screen, each letter of `letters` an entry, with drag.ico in its folder.
struct ShownList {
    explicit ShownList(const QString& letters) {
        for (QChar letter : letters) model.Append(letter);
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(Qt::darkBlue);
        image.save(folder.filePath("drag.ico"), "ICO");
        view.SetApplicationFolder(folder.path());
        view.SetFileList(&model);
        view.SetBusyCheck([this] { return busy; });
        view.resize(320, 240);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    QString Texts() const {
        QStringList texts;
        for (int i = 1; i <= model.Count(); ++i) texts << model.EntryText(i);
        return texts.join("");
    }
    QWidget* Rows() const { return view.viewport(); }
    QRect Rect(int row) const { return view.visualRect(model.index(row, 0)); }
    QPoint At(int row) const { return Rect(row).center(); }
    QPoint BelowEntries() const { return At(model.Count() - 1) + QPoint(0, 50); }
    bool Visible(int row) const { return Rows()->rect().contains(Rect(row)); }
    int Selected() const { return view.selectionModel()->selectedRows().value(0).row(); }
    void Press(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(Rows(), b, {}, at);
    }
    void Release(QPoint at, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(Rows(), b, {}, at);
    }
    void Move(QPoint at) { QTest::mouseMove(Rows(), at); }
    // A double-click (key 0) arrives after the press and release of its first click.
    void Remove(int key, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        if (key != 0) return QTest::keyClick(&view, Qt::Key(key));
        QMouseEvent doubleClick(QEvent::MouseButtonDblClick, at, Rows()->mapToGlobal(at), button,
                                button, Qt::NoModifier);
        QApplication::sendEvent(Rows(), &doubleClick);
    }

    QTemporaryDir folder;
    FileListModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::QtTest};
    FileListView view;
    bool busy = false;
};

}  // namespace

class FileListViewTest : public QObject {
    Q_OBJECT
private slots:
    // Moves with the left button down select nothing but the carried entry; drag.ico is the
    // pointer from pick-up until the button goes up.
    void dragMovesTheCarriedEntry_data() {
        QTest::addColumn<int>("pressedRow");  // -1: below the entries
        QTest::addColumn<QList<int>>("movesOver");
        QTest::addColumn<int>("how");  // 1: while busy, 2: with the right button
        QTest::addColumn<QString>("expected");
        QTest::newRow("one by one") << 0 << QList{1, 2, 3} << 0 << "BCDAE";
        // A jump ends as passing every entry on the way would: the others keep their order.
        QTest::newRow("jump down") << 0 << QList{4} << 0 << "BCDEA";
        QTest::newRow("jump up") << 4 << QList{3, 0} << 0 << "EABCD";
        QTest::newRow("before any click") << -1 << QList{2, 0} << 0 << "ABCDE";
        QTest::newRow("while busy") << 0 << QList{2} << 1 << "ABCDE";
        QTest::newRow("right button") << 0 << QList{2} << 2 << "ABCDE";
    }
    void dragMovesTheCarriedEntry() {
        QFETCH(int, pressedRow);
        QFETCH(QList<int>, movesOver);
        QFETCH(int, how);
        QFETCH(QString, expected);
        ShownList list("ABCDE");
        list.busy = how == 1;
        const Qt::MouseButton button = how == 2 ? Qt::RightButton : Qt::LeftButton;
        list.Press(pressedRow < 0 ? list.BelowEntries() : list.At(pressedRow), button);
        for (int row : movesOver) list.Move(list.At(row));
        QCOMPARE(list.Selected(), pressedRow < 0 ? -1 : how != 0 ? pressedRow : movesOver.last());
        QCOMPARE(list.Rows()->cursor().shape(),
                 pressedRow < 0 || how == 2 ? Qt::ArrowCursor : Qt::BitmapCursor);
        list.Release(list.At(movesOver.last()), button);
        QCOMPARE(list.Rows()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(list.Texts(), expected);
    }

    // Just far enough to show the next entry, wherever the list lies on the screen. Held
    // beyond an edge, the carried entry keeps the list scrolling and goes along; back inside,
    // the scrolling stops. Released outside the list, the drag is taken back: the order and
    // the selection are as they were before it.
    void scrollsAtTheEdgesOfTheList() {
        const QString original = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN");
        QString many = original;
        ShownList list(many);
        QScrollBar* bar = list.view.verticalScrollBar();
        QTest::mouseClick(list.Rows(), Qt::LeftButton, {}, list.At(3));
        const int bottom = list.Rows()->height() - 2;
        const int last = list.view.indexAt(QPoint(5, bottom)).row();
        list.Press(list.At(last - 2));
        list.Move(list.At(last - 1));
        QCOMPARE(bar->value(), 0);
        list.Move(QPoint(5, bottom));
        QVERIFY(list.Visible(last) && list.Visible(last + 1));
        // The list scrolled on under the pointer: the next move lands several entries on.
        bar->setValue(bar->value() + 5);
        const int landed = list.view.indexAt(QPoint(5, bottom)).row();
        QVERIFY(landed > last + 2);
        list.Move(QPoint(5, bottom));
        many.insert(landed + 1, many.at(last - 2)).remove(last - 2, 1);
        QCOMPARE(list.Texts(), many);
        // And up to the top edge.
        const int first = list.view.indexAt(QPoint(5, 1)).row();
        list.Move(QPoint(5, 1));
        QVERIFY(list.Visible(first) && list.Visible(first - 1));
        many.insert(first, many.at(landed)).remove(landed + 1, 1);
        QCOMPARE(list.Texts(), many);

        list.Move(QPoint(5, bottom + 20));
        QTRY_VERIFY(bar->value() >= first + 5);
        list.Move(QPoint(5, bottom / 2));
        const int stopped = bar->value();
        QTest::qWait(150);
        QCOMPARE(bar->value(), stopped);
        list.Move(QPoint(5, -5));  // over the header
        QTRY_COMPARE(bar->value(), 0);
        QCOMPARE(list.Texts().front(), original.at(last - 2));
        list.Move(QPoint(5, -100));
        list.Release(QPoint(5, -100));
        QCOMPARE(list.Texts(), original);
        QCOMPARE(list.Selected(), 3);
    }

    // A double-click removes the entry under the pointer, with the left button only. From
    // the keyboard every selected entry goes, and the next entry takes over, so a second
    // key press goes on removing. Ctrl, Shift and Ctrl+A select several.
    void removesTheEntryMeant_data() {
        QTest::addColumn<int>("key");  // 0: a double-click
        QTest::addColumn<int>("at");   // the row double-clicked, -1 below the entries
        // Before: "a" Ctrl+A, "s" Shift+Down, "c" Ctrl+click on D, "b" busy, "r" with the
        // right button.
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("left");
        const int del = Qt::Key_Delete, back = Qt::Key_Backspace;
        QTest::newRow("double-click") << 0 << 1 << ""
                                      << "ACD";
        QTest::newRow("on another entry") << 0 << 2 << ""
                                          << "ABD";
        QTest::newRow("below the entries") << 0 << -1 << ""
                                           << "ABCD";
        QTest::newRow("right button") << 0 << 1 << "r"
                                      << "ABCD";
        QTest::newRow("Delete twice") << del << 1 << ""
                                      << "AD";
        QTest::newRow("Backspace twice") << back << 1 << ""
                                         << "AD";
        QTest::newRow("Delete while busy") << del << 1 << "b"
                                           << "ABCD";
        QTest::newRow("Ctrl+A, Delete") << del << 1 << "a"
                                        << "";
        QTest::newRow("Shift+Down, Delete twice") << del << 1 << "s"
                                                  << "A";
        QTest::newRow("Ctrl+click, Backspace twice") << back << 1 << "c"
                                                     << "A";
    }
    void removesTheEntryMeant() {
        QFETCH(int, key);
        QFETCH(int, at);
        QFETCH(QString, way);
        QFETCH(QString, left);
        ShownList list("ABCD");
        QTest::mouseClick(list.Rows(), Qt::LeftButton, {}, list.At(1));
        if (way == "a") QTest::keyClick(&list.view, Qt::Key_A, Qt::ControlModifier);
        if (way == "s") QTest::keyClick(&list.view, Qt::Key_Down, Qt::ShiftModifier);
        if (way == "c")
            QTest::mouseClick(list.Rows(), Qt::LeftButton, Qt::ControlModifier, list.At(3));
        list.busy = way == "b";
        const QPoint where = at < 0 ? list.BelowEntries() : list.At(at);
        list.Remove(key, where, way == "r" ? Qt::RightButton : Qt::LeftButton);
        if (key != 0) list.Remove(key, where);
        QCOMPARE(list.Texts(), left);
        if (key == 0 || left.size() < 2) return;
        // With the carried entry gone a drag has nothing to move; with none selected
        // nothing is removed.
        list.Press(list.BelowEntries());
        list.Move(list.At(0));
        list.Move(list.At(1));
        list.Release(list.At(1));
        list.view.clearSelection();
        list.Remove(key, list.At(0));
        QCOMPARE(list.Texts(), left);
    }

    // A drag from the file manager entering the list, then dropped on it; a path as text
    // comes along with every drag.
    void dropsAppendLocalPathsInTheirOrder_data() {
        QTest::addColumn<QList<QUrl>>("urls");
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("before");  // 1: an entry was clicked first, 2: busy, 3: Shift held
        QTest::addColumn<bool>("taken");
        const QList<QUrl> files{QUrl::fromLocalFile("/m/c.mp3"), QUrl::fromLocalFile("/m/folder"),
                                QUrl::fromLocalFile("/m/c.mp3"), QUrl::fromLocalFile("/m/~t.txt")};
        const QList<QUrl> web{QUrl::fromLocalFile("/m/c.mp3"), QUrl("https://example.org/b.mp3")};
        const int copyOrMove = Qt::CopyAction | Qt::MoveAction;
        QTest::newRow("files") << files << copyOrMove << 0 << true;
        QTest::newRow("a path as text") << QList<QUrl>{} << copyOrMove << 0 << false;
        QTest::newRow("a web address among them") << web << copyOrMove << 0 << false;
        // Accepting a move would let the file manager delete what it dragged.
        QTest::newRow("only a move") << files << int(Qt::MoveAction) << 0 << false;
        // Shift asks for a move where one is offered; the list still answers with a copy.
        QTest::newRow("copy or move, Shift held") << files << copyOrMove << 3 << true;
        QTest::newRow("after an entry click") << files << copyOrMove << 1 << false;
        QTest::newRow("while busy") << files << copyOrMove << 2 << false;
    }
    void dropsAppendLocalPathsInTheirOrder() {
        QFETCH(QList<QUrl>, urls);
        QFETCH(int, offered);
        QFETCH(int, before);
        QFETCH(bool, taken);
        ShownList list("b");
        if (before == 1) QTest::mouseClick(list.Rows(), Qt::LeftButton, {}, list.At(0));
        list.busy = before == 2;
        QMimeData data;
        if (!urls.isEmpty()) data.setUrls(urls);
        data.setText("/m/a.mp3");
        const auto offer = [&](auto event) {
            QApplication::sendEvent(list.Rows(), &event);
            return event.isAccepted() && event.dropAction() != Qt::MoveAction;
        };
        const auto actions = Qt::DropActions(offered);
        const Qt::KeyboardModifiers keys = before == 3 ? Qt::ShiftModifier : Qt::NoModifier;
        QCOMPARE(offer(QDragEnterEvent({10, 10}, actions, &data, Qt::LeftButton, keys)), taken);
        QCOMPARE(offer(QDropEvent({10, 10}, actions, &data, Qt::LeftButton, keys)), taken);
        QStringList expected{"b"};
        for (const QUrl& url : urls) expected << url.toLocalFile();
        QCOMPARE(list.Texts(), (taken ? expected : expected.mid(0, 1)).join(""));
    }
};

}  // namespace parvane

QTEST_MAIN(parvane::FileListViewTest)
#include "FileListViewTest.moc"
