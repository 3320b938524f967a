// The window as it comes up: layout, controls, the start-up sequence's results, the hand
// pointer file and the occasional home page.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QProgressBar>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTest>

#include "CenterForm.h"
#include "FileListView.h"
#include "FormTestSupport.h"
#include "PictureButton.h"
#include "ResourceFolder.h"

using namespace parvane;
using namespace parvane::test;

class FormStartupTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithTheIntervalMenuAndAnEmptyList();
    void showsEveryIntervalEntryUncut();
    void tabsThroughTheControlsInOrder();
    void columnCanBeWidenedPastTheWindowsEdge();
    void centresTheWindowKeepingHalfTwips();
    void startsSilentlyWithoutOrWithABrokenHandPointer_data();
    void startsSilentlyWithoutOrWithABrokenHandPointer();
    void loadsTheHandPointerWithTheFilesHotspot();
    void findsThePointerFilesOfAnInstallation();
    void opensTheHomePageOnlyOnADrawOfSeven();
    void drawsSevenAboutOnceInAHundredStarts();
};

void FormStartupTest::startsWithTheIntervalMenuAndAnEmptyList() {
    FormHarness harness;
    Form1& form = harness.StartShown();

    QCOMPARE(form.windowTitle(), QStringLiteral("Parvane"));

    QComboBox* combo = form.Combo1();
    QVERIFY(!combo->isEditable());
    QCOMPARE(combo->count(), 23);
    QCOMPARE(combo->itemText(0), QStringLiteral(" Split Every 0:05"));
    QCOMPARE(combo->itemText(12), QStringLiteral(" Split Every 10:00"));
    QCOMPARE(combo->itemText(22), QStringLiteral(" Split Every 60:00"));
    QCOMPARE(combo->currentIndex(), 11);
    QCOMPARE(combo->currentText(), QStringLiteral(" Split Every 5:00"));

    FileListView* list = form.ListView1();
    QCOMPARE(list->model()->columnCount(), 1);
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(),
             QStringLiteral("MP3 File(s)"));
    QCOMPARE(list->columnWidth(0), 433);  // 6500 twips
    QVERIFY(list->header()->isVisible());
    QCOMPARE(list->model()->rowCount(), 0);
    QCOMPARE(list->toolTip(),
             QStringLiteral("Drag and drop files here. Double-click item to remove it. Move bar "
                            "to right and out of window to reveal full names."));

    QProgressBar* bar = form.ProgressBar1();
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->value(), 0);
    // The bar's ground, the window's surface and the buttons' faces are white.
    const QImage picture = form.grab().toImage();
    for (QPoint white : {bar->geometry().center(), BareSurfacePoint(),
                         form.Check1()->geometry().topLeft() + QPoint(10, 10)}) {
        QCOMPARE(picture.pixelColor(white), QColor(Qt::white));
    }

    QCOMPARE(form.MousePointer(), 0);
    QVERIFY(harness.messages.texts.isEmpty());
    QVERIFY(harness.opener.opened.isEmpty());
}

void FormStartupTest::showsEveryIntervalEntryUncut() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    QComboBox* combo = form.Combo1();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    for (int i = 0; i < combo->count(); ++i) {
        // The label keeps a pixel clear on either side of the text.
        QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <= field.width() - 2,
                 qPrintable(combo->itemText(i)));
    }
}

void FormStartupTest::tabsThroughTheControlsInOrder() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    form.activateWindow();
    form.Check1()->setFocus();
    QTRY_VERIFY(form.Check1()->hasFocus());
    const QList<QWidget*> order = {form.Check2(), form.ListView1(), form.Check4(), form.Combo1(),
                                   form.Check1()};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void FormStartupTest::columnCanBeWidenedPastTheWindowsEdge() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    QHeaderView* header = form.ListView1()->header();
    const int divider = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
    const int y = header->height() / 2;
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, QPoint(divider, y));
    QTest::mouseMove(header->viewport(), QPoint(divider + 300, y));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, QPoint(divider + 300, y));

    QCOMPARE(header->sectionSize(0), 733);
    QVERIFY(header->sectionSize(0) > form.width());
    QTRY_VERIFY(form.ListView1()->horizontalScrollBar()->maximum() > 0);
}

void FormStartupTest::centresTheWindowKeepingHalfTwips() {
    const FormPosition place = CenteredPosition(19200.0f, 14400.0f, 7785.0f, 4200.0f);
    QCOMPARE(place.left, 5707.5f);
    QCOMPARE(place.top, 5100.0f);

    FormHarness harness;
    Form1& form = harness.Start();
    const QRect screen = form.screen()->geometry();
    QVERIFY(qAbs(form.x() - (screen.width() - form.frameGeometry().width()) / 2) <= 1);
    QVERIFY(qAbs(form.y() - (screen.height() - form.frameGeometry().height()) / 2) <= 1);
}

void FormStartupTest::startsSilentlyWithoutOrWithABrokenHandPointer_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("this is no cursor");
    // A cursor directory that promises a picture the file does not hold.
    QTest::newRow("cut short") << QByteArray::fromHex(
        "000002000100202000000a0001002e0c000016000000");
}

void FormStartupTest::startsSilentlyWithoutOrWithABrokenHandPointer() {
    QFETCH(QByteArray, file);
    FormHarness harness;
    if (!file.isEmpty()) {
        harness.PutFile(QStringLiteral("HAND-M.CUR"), file);
    }
    Form1& form = harness.StartShown();
    QVERIFY(!form.MouseIcon().has_value());
    QVERIFY(harness.messages.texts.isEmpty());
    QCOMPARE(form.Combo1()->count(), 23);  // the start-up went on past the pointer

    HoverOver(form.Check1());
    QCOMPARE(form.MousePointer(), 99);
    QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
}

void FormStartupTest::loadsTheHandPointerWithTheFilesHotspot() {
    FormHarness harness;
    harness.PutResource(QStringLiteral("HAND-M.CUR"));
    Form1& form = harness.Start();
    QVERIFY(form.MouseIcon().has_value());
    QCOMPARE(form.MouseIcon()->pixmap().size(), QSize(32, 32));

    QFile file(ResourcePath(QStringLiteral("HAND-M.CUR")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    auto word = [&bytes](int at) {
        return static_cast<quint8>(bytes[at]) | (static_cast<quint8>(bytes[at + 1]) << 8);
    };
    const QPoint written(word(10), word(12));
    QCOMPARE(form.MouseIcon()->hotSpot(), written);
    QVERIFY(written != QPoint(0, 0));
}

void FormStartupTest::findsThePointerFilesOfAnInstallation() {
    FormHarness harness;
    const QString installed = InstalledResourceFolder(harness.ApplicationFolder());
    QVERIFY(installed.startsWith(harness.Root()));
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QFile::copy(ResourcePath(QStringLiteral("HAND-M.CUR")),
                        QDir(installed).filePath(QStringLiteral("HAND-M.CUR"))));
    QCOMPARE(ResourceFolder(harness.ApplicationFolder()), installed);
    QVERIFY(harness.Start().MouseIcon().has_value());

    // Files beside the program come first, as in the build folder.
    harness.PutResource(QStringLiteral("drag.ico"));
    QCOMPARE(ResourceFolder(harness.ApplicationFolder()), harness.ApplicationFolder());
}

void FormStartupTest::opensTheHomePageOnlyOnADrawOfSeven() {
    for (int n = 1; n <= 100; ++n) {
        RecordingUrlOpener opener;
        const double r = (n - 1 + 0.5) / 100.0;
        QCOMPARE(DrawOneToHundred(r), n);
        MaybeOpenHomePage([r] { return r; }, opener, kTestHomePage);
        QCOMPARE(opener.opened.size(), n == 7 ? 1 : 0);
    }
    QCOMPARE(DrawOneToHundred(0.07), 8);

    FormHarness lucky;
    lucky.Start(0.065);
    QCOMPARE(lucky.opener.opened, QList<QUrl>{kTestHomePage});
    FormHarness plain;
    plain.Start(0.075);
    QVERIFY(plain.opener.opened.isEmpty());
}

void FormStartupTest::drawsSevenAboutOnceInAHundredStarts() {
    constexpr int kSecondsPerDay = 24 * 60 * 60;
    int sevens = 0;
    for (int second = 0; second < kSecondsPerDay; ++second) {
        const double r = TimeOfDayRandom(second)();
        QVERIFY(r >= 0.0 && r < 1.0);
        sevens += DrawOneToHundred(r) == kHomePageDraw ? 1 : 0;
    }
    QVERIFY2(sevens > kSecondsPerDay / 200 && sevens < kSecondsPerDay * 3 / 200,
             qPrintable(QString::number(sevens)));

    const RandomSource a = TimeOfDayRandom(3600);
    const RandomSource b = TimeOfDayRandom(3600);
    QCOMPARE(a(), b());
}

QTEST_MAIN(FormStartupTest)
#include "FormStartupTest.moc"
