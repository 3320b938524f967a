// The three command buttons: one press, one action, with the button up again before the
// action starts; and closing the window during a folder scan.
#include <QDir>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "FileListModel.h"
#include "WindowTestSupport.h"
#include "PictureButton.h"

using namespace parvane;
using namespace parvane::test;

class FormButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void onePressRunsOneActionWithTheButtonUp() {
        FormHarness harness;
        MainWindow& form = harness.Start();
        form.ProgressBar()->setValue(40);
        harness.desktop.files = {QStringLiteral("/music/one.mp3")};
        const std::pair<PictureButton*, QString> presses[] = {
            {form.SplitButton(), QStringLiteral("No files added.")},
            {form.AddFilesButton(), QStringLiteral("files?")},
            {form.AddFolderButton(), QStringLiteral("folder?")}};
        for (const auto& press : presses) {
            PictureButton* button = press.first;
            harness.desktop.shown.clear();
            bool downDuringAction = true;
            harness.desktop.whileShown = [&] { downDuringAction = button->isChecked(); };
            HoverOver(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(harness.desktop.shown, QStringList{press.second});
            QVERIFY(!downDuringAction);
            QVERIFY(!button->isChecked());
            // Nothing was split and the chooser was cancelled: bar and pointer stay.
            QCOMPARE(form.ProgressBar()->value(), 40);
            QCOMPARE(form.MousePointer(), 99);
        }
        QCOMPARE(form.FileList().Count(), 1);
    }

    void closingTheWindowEndsAFolderScan() {
        FormHarness harness;
        for (int i = 0; i < 50; ++i) {
            harness.Put(QStringLiteral("music/folder%1/track.mp3").arg(i), {});
        }
        MainWindow& form = harness.Start();
        harness.desktop.folder = QDir(harness.Root()).filePath(QStringLiteral("music"));
        int pointerWhenClosed = -1;
        harness.desktop.whileShown = [&] {
            // At the scan's first look at the window's events.
            QTimer::singleShot(0, &form, [&] {
                pointerWhenClosed = form.MousePointer();
                form.close();
            });
        };
        QTest::mouseClick(form.AddFolderButton(), Qt::LeftButton);

        QCOMPARE(pointerWhenClosed, 11);
        QVERIFY(form.FileList().Count() < 50);
        QCOMPARE(form.MousePointer(), 0);
        QCOMPARE(harness.desktop.shown, QStringList{QStringLiteral("folder?")});
    }
};

QTEST_MAIN(FormButtonsTest)
#include "FormButtonsTest.moc"
