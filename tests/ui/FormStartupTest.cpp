// The window as it comes up: the start-up sequence's results, the layout's behaviour,
// the hand pointer file and the occasional home page.
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTest>

#include "FileArguments.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "WindowTestSupport.h"
#include "PathText.h"
#include "PictureButton.h"
#include "PointerFile.h"
#include "ResourceFolder.h"

using namespace parvane;
using namespace parvane::test;

class FormStartupTest : public QObject {
    Q_OBJECT
private slots:
    void comesUpCentredWithTheDefaults() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        QCOMPARE(form.windowTitle(), QStringLiteral("Parvane"));
        // Placed before the window has a frame, so centred to within the frame's size.
        const QRect frame = form.frameGeometry();
        const QPoint off = frame.center() - form.screen()->geometry().center();
        QVERIFY(qAbs(off.x()) <= frame.width() - form.width());
        QVERIFY(qAbs(off.y()) <= frame.height() - form.height());

        QComboBox* combo = form.IntervalChooser();
        QCOMPARE(combo->count(), 23);
        QCOMPARE(combo->itemText(0), QStringLiteral(" Split Every 0:05"));
        QCOMPARE(combo->itemText(22), QStringLiteral(" Split Every 60:00"));
        QCOMPARE(combo->currentIndex(), 11);
        QCOMPARE(combo->currentText(), QStringLiteral(" Split Every 5:00"));
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        for (int i = 0; i < combo->count(); ++i) {
            // Every entry shows uncut, a pixel clear on either side.
            const QString entry = combo->itemText(i);
            QVERIFY2(combo->fontMetrics().horizontalAdvance(entry) <= field.width() - 2,
                     qPrintable(entry));
        }

        const QAbstractItemModel* list = form.ListView()->model();
        QCOMPARE(list->columnCount(), 1);
        QCOMPARE(list->headerData(0, Qt::Horizontal).toString(), QStringLiteral("MP3 File(s)"));
        QCOMPARE(form.ListView()->columnWidth(0), 433);  // 6500 twips
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(form.ProgressBar()->value(), 0);
        // The bar's ground, the window's surface and the buttons' faces are white.
        const QImage picture = form.grab().toImage();
        for (QPoint white : {form.ProgressBar()->geometry().center(), kBareSurface,
                             form.AddFilesButton()->geometry().topLeft() + QPoint(10, 10)}) {
            QCOMPARE(picture.pixelColor(white), QColor(Qt::white));
        }
        QCOMPARE(form.MousePointer(), 0);
        QVERIFY(harness.desktop.shown.isEmpty());
    }

    // "parvane FILE..." from a file manager's Open With: the files follow the start-up,
    // taken as a drop takes them, names that are not UTF-8 byte for byte.
    void appendsTheFilesItIsStartedWith() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        const char* argv[] = {"parvane", "/m/a.mp3", "--an-option", "/m/caf\xe9.mp3",
                              "sub/../b.mp3", "--", "-c.mp3"};
        form.ListView()->AddDroppedFiles(FileArguments(std::size(argv), argv));
        const QString here = QDir::currentPath();
        QStringList texts;
        for (int i = 1; i <= form.FileList().Count(); ++i) texts << form.FileList().EntryText(i);
        QCOMPARE(texts, QStringList({"/m/a.mp3", PathToText("/m/caf\xe9.mp3"), here + "/b.mp3",
                                     here + "/-c.mp3"}));
        QVERIFY(form.ListView()->AcceptsDrops());
    }

    void columnDividerDragsPastTheWindowsEdge() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        QHeaderView* header = form.ListView()->header();
        const QPoint divider(header->sectionSize(0) - 1, header->height() / 2);
        const QPoint beyond = divider + QPoint(300, 0);
        QTest::mousePress(header->viewport(), Qt::LeftButton, {}, divider);
        QTest::mouseMove(header->viewport(), beyond);
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, beyond);
        QVERIFY(header->sectionSize(0) > form.width());
        QTRY_VERIFY(form.ListView()->horizontalScrollBar()->maximum() > 0);
    }

    void loadsTheHandPointerOrStartsSilently_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("loads");
        const QByteArray hand = Resource(QStringLiteral("HAND-M.CUR"));
        QTest::newRow("beside the program") << "bin" << hand << true;
        QTest::newRow("installed") << "installed" << hand << true;
        QTest::newRow("missing") << "" << QByteArray() << false;
        QTest::newRow("not a picture") << "bin" << QByteArray("this is no cursor") << false;
        // A cursor directory that promises a picture the file does not hold.
        QTest::newRow("cut short")
            << "bin" << QByteArray::fromHex("000002000100202000000a0001002e0c000016000000")
            << false;
    }
    void loadsTheHandPointerOrStartsSilently() {
        QFETCH(QString, folder);
        QFETCH(QByteArray, file);
        QFETCH(bool, loads);
        FormHarness harness;
        const QString dir =
            folder == QStringLiteral("installed") ? InstalledResourceFolder(harness.Bin()) : folder;
        if (!dir.isEmpty()) harness.Put(dir + QStringLiteral("/HAND-M.CUR"), file);
        MainWindow& form = harness.Start();
        QCOMPARE(form.MouseIcon().has_value(), loads);
        QVERIFY(harness.desktop.shown.isEmpty());
        QCOMPARE(form.IntervalChooser()->count(), 23);  // the start-up went on past the pointer

        HoverOver(form.AddFilesButton());
        QCOMPARE(form.MousePointer(), 99);
        QCOMPARE(SeenPointer(form.AddFilesButton()), loads ? Qt::BitmapCursor : Qt::ArrowCursor);
    }

    // The pointer files hold an image for 100 %, 150 % and 200 %; the one for the screen's
    // scale is shown at the same logical size, its hotspot on the fingertip's top edge.
    void pointersComeSharpAtEveryScale_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("100 %") << 1.0;
        QTest::newRow("150 %") << 1.5;
        QTest::newRow("200 %") << 2.0;
    }
    void pointersComeSharpAtEveryScale() {
        QFETCH(qreal, scale);
        FormHarness harness;
        const std::optional<QCursor> hand =
            LoadCursorFile(harness.Put("HAND-M.CUR", Resource("HAND-M.CUR")), scale);
        QVERIFY(hand.has_value());
        QCOMPARE(hand->pixmap().size(), QSize(32, 32) * scale);
        QCOMPARE(hand->pixmap().devicePixelRatio(), scale);
        QCOMPARE(hand->hotSpot(), QPoint(10, 1));
        const QImage image = hand->pixmap().toImage();
        const QPoint tip = QPoint(10, 1) * scale;
        QCOMPARE(image.pixelColor(tip), QColor(Qt::black));
        QCOMPARE(image.pixelColor(tip - QPoint(0, 1)).alpha(), 0);
    }

    void opensTheHomePageOnlyOnADrawOfSeven() {
        for (int n = 1; n <= 100; ++n) {
            FakeDesktop desktop;
            const double r = (n - 0.5) / 100.0;
            MaybeOpenHomePage([r] { return r; }, desktop, kTestHomePage);
            QCOMPARE(desktop.shown.size(), n == 7 ? 1 : 0);
        }
        FormHarness lucky;
        lucky.Start(0.065);
        QCOMPARE(lucky.desktop.shown, QStringList{kTestHomePage.toString()});
    }
};

QTEST_MAIN(FormStartupTest)
#include "FormStartupTest.moc"
