// The main window as it comes up and as it answers: the start-up sequence's results, the
// pointer files, the files it is started with, the occasional home page, the three
// command buttons, the pointer policy, a larger window, the keyboard, and its message
// boxes, also while it closes.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

#include "filelist/EntryDelegate.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/PathText.h"
#include "filelist/PointerFile.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/JobProgressBar.h"
#include "ui/PictureButton.h"
#include "ui/ResourceFolder.h"

using namespace parvane;
using namespace parvane::test;

namespace {

QStringList Entries(const MainWindow& form) {
    QStringList texts;
    for (int i = 1; i <= form.FileList().Count(); ++i) texts << form.FileList().EntryText(i);
    return texts;
}

}  // namespace

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(QGuiApplication::overrideCursor(), nullptr); }

    // On a dark desktop. The pointer files hold an image for 100 %, 150 % and 200 %; the one
    // for the screen's scale is shown at the same logical size, its hot spot on the
    // fingertip of the hand, in the middle of the drag picture.
    void comesUpCentredWithThePointerAndTheFiles_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qreal>("scale");  // 0: no pointer loads
        const QByteArray hand = Resource("HAND-M.CUR");
        QTest::newRow("beside the program") << "bin" << hand << 1.0;
        QTest::newRow("installed") << "installed" << hand << 1.5;
        QTest::newRow("at 200 %") << "bin" << hand << 2.0;
        QTest::newRow("missing") << "" << QByteArray() << 0.0;
        QTest::newRow("not a picture") << "bin" << QByteArray("this is no cursor") << 0.0;
    }
    void comesUpCentredWithThePointerAndTheFiles() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, file);
        QFETCH(qreal, scale);
        QApplication::setPalette(QPalette(Qt::darkGray));
        FormHarness harness;
        if (folder == "installed") folder = InstalledResourceFolder(harness.Bin());
        if (!folder.isEmpty()) folder = harness.Put(folder + QStringLiteral("/HAND-M.CUR"), file);
        // "parvane FILE...": the files follow the start-up, taken as a drop takes them, names
        // that are not UTF-8 byte for byte, ".." after a typed folder kept (it may be a link).
        MainWindow& form = harness.Start(
            0.5, nullptr,
            {"/m/a.mp3", "--an-option", "/m/caf\xe9.mp3", "sub/../b.mp3", "--", "-c.mp3"});
        const QString here = QDir::currentPath();
        QCOMPARE(Entries(form), QStringList({"/m/a.mp3", PathToText("/m/caf\xe9.mp3"),
                                             here + "/sub/../b.mp3", here + "/-c.mp3"}));
        QCOMPARE(harness.desktop.shown, QStringList());
        // Placed before the window has a frame, so centred to within the frame's size.
        const QRect frame = form.frameGeometry();
        const QPoint off = frame.center() - form.screen()->geometry().center();
        QVERIFY(qAbs(off.x()) <= frame.width() - form.width());
        QVERIFY(qAbs(off.y()) <= frame.height() - form.height());

        // The bar's ground, the window's surface and the buttons' faces are white.
        const QImage picture = form.grab().toImage();
        for (QPoint white : {form.ProgressBar()->geometry().center(), kBareSurface,
                             form.AddFilesButton()->geometry().topLeft() + QPoint(10, 10)}) {
            QCOMPARE(picture.pixelColor(white), QColor(Qt::white));
        }
        QApplication::setPalette(QPalette());

        HoverOver(form.AddFilesButton());
        QCOMPARE(SeenPointer(form.AddFilesButton()),
                 scale > 0 ? Qt::BitmapCursor : Qt::ArrowCursor);
        if (scale == 0) return;
        const QCursor hand = LoadCursorFile(folder, scale).value_or(QCursor());
        QCOMPARE(hand.pixmap().size(), QSize(32, 32) * scale);
        QCOMPARE(hand.pixmap().devicePixelRatio(), scale);
        QCOMPARE(hand.pixmap().toImage().pixelColor(hand.hotSpot()), QColor(Qt::black));
        const QCursor drag =
            LoadCursorFile(PARVANE_RESOURCES_DIR "/drag.ico", scale).value_or(QCursor());
        QCOMPARE(drag.hotSpot(), QPoint(16, 16) * scale);
    }

    void runsOneActionPerPressAndFollowsTheHoverRules() {
        FormHarness harness;
        harness.Put(QStringLiteral("bin/HAND-M.CUR"), Resource("HAND-M.CUR"));
        MainWindow& form = harness.Start();
        form.ProgressBar()->setValue(40);
        harness.desktop.files = {QStringLiteral("/music/one.mp3")};
        const std::pair<PictureButton*, QString> presses[] = {
            {form.SplitButton(), "No files added."},
            {form.AddFilesButton(), "files?"},
            {form.AddFolderButton(), "folder?"}};
        for (const auto& [button, shown] : presses) {
            harness.desktop.shown.clear();
            bool downDuringAction = true;
            harness.desktop.whileShown = [&] { downDuringAction = button->isChecked(); };
            HoverOver(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(harness.desktop.shown, QStringList{shown});
            QVERIFY(!downDuringAction);
            // Nothing was split and the chooser was cancelled: bar and pointer stay.
            QCOMPARE(form.ProgressBar()->value(), 40);
            QCOMPARE(SeenPointer(button), Qt::BitmapCursor);
        }
        QCOMPARE(Entries(form), QStringList{"/music/one.mp3"});
        harness.desktop.whileShown = {};

        // A button, then elsewhere, by turns; the gap between two buttons is bare surface.
        const std::pair<QWidget*, QPoint> path[] = {
            {form.AddFilesButton(), {}},  {&form, kBareSurface},
            {form.AddFolderButton(), {}}, {&form, {172, 170}},
            {form.SplitButton(), {}},     {form.ListView()->viewport(), {40, 40}}};
        for (int step = 0; step < 6; ++step) {
            HoverOver(path[step].first, path[step].second);
            QCOMPARE(SeenPointer(path[step].first),
                     step % 2 == 0 ? Qt::BitmapCursor : Qt::ArrowCursor);
        }

        // The folder is scanned off the window's thread, under the hourglass; digit runs
        // count as numbers; a piece of an earlier split is left out, and the bar says so.
        for (const char* name :
             {"music/10.mp3", "music/9.mp3", "music/9-0001.mp3", "music/sub/1.mp3"})
            harness.Put(name, "x");
        harness.desktop.folder = harness.Root() + "/music";
        QTest::mouseClick(form.AddFolderButton(), Qt::LeftButton);
        QCOMPARE(SeenPointer(&form), Qt::WaitCursor);
        QTRY_COMPARE(Entries(form).size(), 4);
        QCOMPARE(Entries(form).mid(1),
                 QStringList({harness.desktop.folder + "/9.mp3", harness.desktop.folder + "/10.mp3",
                              harness.desktop.folder + "/sub/1.mp3"}));
        QCOMPARE(SeenPointer(&form), Qt::ArrowCursor);
        QCOMPARE(form.ProgressBar()->text(),
                 QStringLiteral("Left out 1 piece of the files found there"));
    }

    // Twelve lectures of one long folder: the column fills the list, each entry keeps its
    // file name and is shortened once, to fit as Qt lays the text out (else Qt cuts it a
    // second time), whole folders first; the full path is its tool tip. A larger window
    // gives the list all the room it gains; a smaller one than at the start it cannot get.
    void aLargerWindowAndLongNames() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        const QString folder =
            "/home/someone/Lectures/Term two of the second year/Recordings of the hall";
        for (int week = 1; week <= 12; ++week)
            form.FileList().Append(folder + QStringLiteral("/week-%1.mp3").arg(week));
        FileListView* list = form.ListView();
        QCoreApplication::processEvents();
        QCOMPARE(list->header()->sectionSize(0), list->viewport()->width());
        for (int week = 1; week <= 12; ++week)
            QVERIFY(list->ShownText(week).startsWith("/home/\u2026/") &&
                    list->ShownText(week).endsWith(QStringLiteral("/week-%1.mp3").arg(week)));
        const int margins = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        const int column = list->header()->sectionSize(0);
        for (int width = 60; width <= column; ++width) {
            list->header()->resizeSection(0, width);
            const QString shown = list->ShownText(12);
            QVERIFY2(QFontMetricsF(list->font()).horizontalAdvance(shown) <= width - margins &&
                         shown.count(QChar(0x2026)) == 1,
                     qPrintable(shown));
        }
        // An entry's tip, then the list's own on the room below the entries.
        list->scrollToBottom();
        for (const QPoint at : {list->visualRect(form.FileList().index(11, 0)).center(),
                                QPoint(5, list->viewport()->height() - 2)}) {
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            QCOMPARE(QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText(),
                     at.x() == 5 ? list->toolTip() : folder + "/week-12.mp3");
        }

        const QList<QWidget*> controls{list,
                                       form.AddFilesButton(),
                                       form.AddFolderButton(),
                                       form.SplitButton(),
                                       form.IntervalChooser(),
                                       form.ProgressBar()};
        QList<QRect> before;
        for (QWidget* control : controls) before << control->geometry();
        const QSize designed = form.size();
        // Dragged on past the edge: the column keeps what was added by hand.
        list->header()->resizeSection(0, list->viewport()->width() + 100);
        const QString words = folder + "/week-12.mp3, piece 3";
        form.ProgressBar()->ShowWords(words);
        form.resize(designed + QSize(300, 200));
        QCOMPARE(form.ProgressBar()->text(), words);
        QCOMPARE(list->geometry(), before[0].adjusted(0, 0, 300, 200));
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(controls[i]->geometry(), before[i].translated(0, 200));
        QCOMPARE(controls[5]->geometry(), before[5].translated(0, 200).adjusted(0, 0, 300, 0));
        QCOMPARE(list->header()->sectionSize(0), list->viewport()->width() + 100);
        QCOMPARE(list->ShownText(3), folder + "/week-3.mp3");
        form.resize(100, 100);
        QCOMPARE(form.size(), designed);
    }

    // Tab goes list, Add MP3 File(s), Add All MP3 File(s) In Folder, Split!, chooser; coming
    // back into a list scrolled away from its current entry, it brings that entry into view,
    // so Delete acts on an entry the person sees; a click does not. The entry with the focus is
    // framed in the desktop's focus colour, at 3:1 at least against its row.
    void worksFromTheKeyboard() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        for (char letter = 'a'; letter <= 'p'; ++letter)
            form.FileList().Append(QStringLiteral("/m/%1.mp3").arg(letter));
        FileListView* list = form.ListView();
        list->setFocus();
        list->setCurrentIndex(form.FileList().index(15, 0));
        QList<QWidget*> order;
        for (int i = 0; i < 5; ++i) {
            if (i == 0) list->scrollToTop();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget();
        }
        QCOMPARE(order, (QList<QWidget*>{form.AddFilesButton(), form.AddFolderButton(),
                                         form.SplitButton(), form.IntervalChooser(), list}));
        QCOMPARE(list->currentIndex().row(), 15);
        QVERIFY(list->viewport()->rect().contains(list->visualRect(list->currentIndex())));
        QTest::keyClick(list, Qt::Key_Delete);
        QCOMPARE(Entries(form).size(), 15);
        QCOMPARE(Entries(form).last(), QStringLiteral("/m/o.mp3"));
        const QColor focus = list->palette().color(QPalette::Highlight);
        for (const bool selected : {true, false}) {
            if (!selected) list->clearSelection();
            const QRect row = list->visualRect(list->currentIndex());
            const QColor frame =
                list->viewport()->grab().toImage().pixelColor(row.left() + 1, row.center().y());
            const QColor ground = selected ? focus : list->palette().color(QPalette::Base);
            QVERIFY2(ContrastRatio(frame, ground) >= 3.0, qPrintable(frame.name()));
            if (!selected) QCOMPARE(frame, focus);
        }
        // A click that brings the focus back lands on the entry under the pointer.
        form.SplitButton()->setFocus(Qt::TabFocusReason);
        list->scrollToTop();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(form.FileList().index(0, 0)).center());
        QCOMPARE(list->currentIndex().row(), 0);
    }

    // The real box: wide enough for its title beside a window icon and three title-bar
    // buttons; as high as its lines, every one in view and none behind a sideways scroll
    // bar: a path deeper than the screen is wide gives way in its middle, the reason stays
    // whole, the whole line is the tool tip. Its action button answers. Closing the window
    // takes an open box along, and once it is closing no box comes up.
    void messageBoxesShowTheirLinesAndGoWithTheWindow() {
        FormHarness harness;
        QtMessageBoxes boxes;
        MainWindow& form = harness.Start(0.5, &boxes);
        QString deep = QStringLiteral("/home/someone");
        for (int level = 1; deep.size() < 380; ++level)
            deep += QStringLiteral("/folder-level-number-%1").arg(level);
        deep += QStringLiteral("/lecture.mp3");
        MessageMore more{
            {deep + ": not an MP3 file (empty)"}, {deep}, QStringLiteral("Show Pieces")};
        for (int i = 1; i <= 3; ++i) more.lines << QStringLiteral("/m/%1.mp3: not found").arg(i);
        // Seen while the box is up, judged once it has gone.
        QStringList seen;
        bool sideways = true;
        int listHeight = 0, linesHeight = 0;
        QString tip;
        QTimer::singleShot(0, &form, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            const int title = box->fontMetrics().horizontalAdvance(QStringLiteral("Parvane")) +
                              2 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
            const QLabel* label = box->findChild<QLabel*>();
            seen << box->windowTitle() << (box->width() >= 2 * title ? "wide" : "narrow")
                 << (label->textFormat() == Qt::PlainText ? label->text() : "markup");
            auto* list = box->findChild<QListWidget*>();
            sideways = list->horizontalScrollBar()->isVisible();
            listHeight = list->height();
            linesHeight = list->count() * list->sizeHintForRow(0) + 2 * list->frameWidth();
            for (int i = 0; i < list->count(); ++i) {
                const QRect row = list->visualItemRect(list->item(i));
                const QString text = list->item(i)->text();
                if (list->viewport()->rect().contains(row) &&
                    QFontMetricsF(list->font()).horizontalAdvance(text) < row.width())
                    seen << text;
            }
            tip = list->item(0)->toolTip();
            for (QPushButton* button : box->findChildren<QPushButton*>())
                if (button->text() == more.action) button->click();
            box->reject();
        });
        const QString summary =
            QStringLiteral("Done.\nSplit completely before that: /<b>a</b>.mp3.");
        QVERIFY(form.ShowMessage(summary, more));
        QVERIFY(!sideways);
        QVERIFY2(listHeight <= linesHeight + 4,
                 qPrintable(QStringLiteral("%1 %2").arg(listHeight).arg(linesHeight)));
        QCOMPARE(tip, more.lines.first());
        QCOMPARE(seen.mid(0, 3), QStringList({"Parvane", "wide", summary}));
        QCOMPARE(seen.mid(4), more.lines.mid(1));
        QVERIFY(seen.value(3).startsWith("/home/") && seen.value(3).contains(QChar(0x2026)) &&
                seen.value(3).endsWith("/lecture.mp3: not an MP3 file (empty)"));

        QTimer::singleShot(0, &form, [&] { form.close(); });
        QVERIFY(!form.ShowMessage(QStringLiteral("Done."), more));
        QWidget* later = nullptr;
        QTimer::singleShot(0, &form, [&] { later = QApplication::activeModalWidget(); });
        form.ShowMessage(QStringLiteral("Done."));
        QTest::qWait(10);
        QCOMPARE(later, nullptr);
    }
};

QTEST_MAIN(FormTest)
#include "FormTest.moc"
