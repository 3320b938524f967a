// The main window as it comes up and as it answers: the start-up sequence's results, the
// hand pointer file, the files it is started with, the occasional home page, the three
// command buttons, the pointer policy, and its message boxes, also while it closes.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

#include "FileArguments.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "JobProgressBar.h"
#include "PathText.h"
#include "PictureButton.h"
#include "PointerFile.h"
#include "ResourceFolder.h"
#include "WindowTestSupport.h"

using namespace parvane;
using namespace parvane::test;

class FormTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(QGuiApplication::overrideCursor(), nullptr); }

    // On a dark desktop. The pointer file holds an image for 100 %, 150 % and 200 %; the one
    // for the screen's scale is shown at the same logical size, its hotspot on the fingertip's
    // top edge. The draw n = Int(r × 100) + 1 opens the home page only when it is 7.
    void comesUpCentredWithTheDefaultsThePointerAndTheFiles_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qreal>("scale");  // 0: no pointer loads
        QTest::addColumn<double>("draw");
        const QByteArray hand = Resource("HAND-M.CUR");
        QTest::newRow("beside the program") << "bin" << hand << 1.0 << 0.0599;
        QTest::newRow("installed") << "installed" << hand << 1.5 << 0.0601;
        QTest::newRow("at 200 %") << "bin" << hand << 2.0 << 0.5;
        QTest::newRow("missing") << "" << QByteArray() << 0.0 << 0.0699;
        QTest::newRow("not a picture") << "bin" << QByteArray("this is no cursor") << 0.0 << 0.0701;
    }
    void comesUpCentredWithTheDefaultsThePointerAndTheFiles() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, file);
        QFETCH(qreal, scale);
        QFETCH(double, draw);
        QApplication::setPalette(QPalette(Qt::darkGray));
        FormHarness harness;
        if (folder == "installed") folder = InstalledResourceFolder(harness.Bin());
        if (!folder.isEmpty()) folder = harness.Put(folder + QStringLiteral("/HAND-M.CUR"), file);
        MainWindow& form = harness.Start(draw);
        QCOMPARE(harness.desktop.shown.size(), draw > 0.06 && draw < 0.07 ? 1 : 0);
        // Placed before the window has a frame, so centred to within the frame's size.
        const QRect frame = form.frameGeometry();
        const QPoint off = frame.center() - form.screen()->geometry().center();
        QVERIFY(qAbs(off.x()) <= frame.width() - form.width());
        QVERIFY(qAbs(off.y()) <= frame.height() - form.height());

        QComboBox* combo = form.IntervalChooser();
        QCOMPARE(combo->currentText(), QStringLiteral(" Split Every 5:00"));
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const int field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, combo).width();
        // Every entry shows uncut, a pixel clear on either side.
        for (int i = 0; i < combo->count(); ++i)
            QVERIFY(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <= field - 2);
        // The bar's ground, the window's surface and the buttons' faces are white.
        const QImage picture = form.grab().toImage();
        for (QPoint white : {form.ProgressBar()->geometry().center(), kBareSurface,
                             form.AddFilesButton()->geometry().topLeft() + QPoint(10, 10)}) {
            QCOMPARE(picture.pixelColor(white), QColor(Qt::white));
        }
        QApplication::setPalette(QPalette());

        // "parvane FILE...": the files follow the start-up, taken as a drop takes them, names
        // that are not UTF-8 byte for byte, ".." after a typed folder kept (it may be a link).
        const char* argv[] = {"parvane", "/m/a.mp3", "--an-option", "/m/caf\xe9.mp3",
                              "sub/../b.mp3", "--", "-c.mp3"};
        form.ListView()->AddDroppedFiles(FileArguments(std::size(argv), argv));
        const QString here = QDir::currentPath();
        QStringList texts;
        for (int i = 1; i <= form.FileList().Count(); ++i) texts << form.FileList().EntryText(i);
        QCOMPARE(texts, QStringList({"/m/a.mp3", PathToText("/m/caf\xe9.mp3"), here + "/sub/../b.mp3",
                                     here + "/-c.mp3"}));

        HoverOver(form.AddFilesButton());
        QCOMPARE(SeenPointer(form.AddFilesButton()), scale > 0 ? Qt::BitmapCursor : Qt::ArrowCursor);
        if (scale == 0) return;
        const QCursor hand = LoadCursorFile(folder, scale).value_or(QCursor());
        QCOMPARE(hand.pixmap().size(), QSize(32, 32) * scale);
        QCOMPARE(hand.pixmap().devicePixelRatio(), scale);
        QCOMPARE(hand.hotSpot(), QPoint(10, 1));
        QCOMPARE(hand.pixmap().toImage().pixelColor(QPoint(10, 1) * scale), QColor(Qt::black));
    }

    // A build may go without the address, as distributions want: then no draw opens a page.
    void startsWithoutAHomePageWhateverTheDraw() {
        FormHarness harness;
        for (int n = 1; n <= 100; ++n) {
            const double draw = (n - 0.5) / 100;
            MainWindow form(FormServices{harness.Bin(), QUrl(), [draw] { return draw; },
                                         harness.desktop, harness.desktop, harness.desktop,
                                         harness.runner});
        }
        QCOMPARE(harness.desktop.shown, QStringList());
    }

    void runsOneActionPerPressAndFollowsTheHoverRules() {
        FormHarness harness;
        harness.Put(QStringLiteral("bin/HAND-M.CUR"), Resource("HAND-M.CUR"));
        MainWindow& form = harness.Start();
        form.ProgressBar()->setValue(40);
        harness.desktop.files = {QStringLiteral("/music/one.mp3")};
        const std::pair<PictureButton*, QString> presses[] = {
            {form.SplitButton(), "No files added."}, {form.AddFilesButton(), "files?"},
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
            QCOMPARE(form.MousePointer(), 99);
        }
        QCOMPARE(form.FileList().Count(), 1);

        // A button, then elsewhere, by turns; the gap between two buttons is bare surface.
        const std::pair<QWidget*, QPoint> path[] = {
            {form.AddFilesButton(), {}}, {&form, kBareSurface}, {form.AddFolderButton(), {}},
            {&form, {172, 170}}, {form.SplitButton(), {}}, {form.ListView()->viewport(), {40, 40}}};
        // A message box must be answerable: it shows the arrow while it is up.
        Qt::CursorShape duringMessage = Qt::WaitCursor;
        harness.desktop.whileShown = [&] { duringMessage = SeenPointer(&form); };
        for (const bool busy : {true, false}) {
            form.SetMousePointer(busy ? 11 : 0);
            for (int step = 0; step < 6; ++step) {
                HoverOver(path[step].first, path[step].second);
                QCOMPARE(SeenPointer(path[step].first), busy ? Qt::WaitCursor
                                                        : step % 2 == 0 ? Qt::BitmapCursor : Qt::ArrowCursor);
            }
            if (busy) form.ShowMessage(QStringLiteral("Done."));
            QCOMPARE(duringMessage, Qt::ArrowCursor);
            QCOMPARE(SeenPointer(&form), busy ? Qt::WaitCursor : Qt::ArrowCursor);
        }
    }

    // The real boxes: wide enough for their title beside a window icon and three title-bar
    // buttons, details apart; closing the window takes an open box along, and once it is
    // closing no box comes up.
    void messageBoxesShowTheirTitleAndGoWithTheWindow() {
        FormHarness harness;
        QtMessageBoxes boxes;
        MainWindow& form = harness.Start(0.5, &boxes);
        for (const QString& details : {QString(), QStringLiteral("/a.mp3: not found")}) {
            QString seen;
            QTimer::singleShot(0, &form, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                const int title = box->fontMetrics().horizontalAdvance(QStringLiteral("Parvane")) +
                                  2 * box->style()->pixelMetric(QStyle::PM_TitleBarHeight);
                seen = (box->width() >= 2 * title ? "wide " : "narrow ") + box->detailedText();
                details.isEmpty() ? box->accept() : void(form.close());
            });
            form.ShowMessage(QStringLiteral("No files added."), details);
            QCOMPARE(seen, "wide " + details);
        }
        QWidget* later = nullptr;
        QTimer::singleShot(0, &form, [&] { later = QApplication::activeModalWidget(); });
        form.ShowMessage(QStringLiteral("Done."));
        QTest::qWait(10);
        QCOMPARE(later, nullptr);
    }
};

QTEST_MAIN(FormTest)
#include "FormTest.moc"
