// The three command buttons: one press, one action, with the button up again before the
// action starts; the two add commands through the window, and closing during a scan.
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include "FileListModel.h"
#include "FormTestSupport.h"
#include "PictureButton.h"

using namespace parvane;
using namespace parvane::test;

namespace {

void MakeFile(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class FormButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void onePressOnAddFilesShowsTheDialogOnce();
    void onePressOnAddFolderShowsTheBrowserOnce();
    void onePressOnSplitRunsOneJob();
    void addsTheMp3FilesOfAFolderTree();
    void closingTheWindowEndsAFolderScan();
};

void FormButtonsTest::onePressOnAddFilesShowsTheDialogOnce() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    bool downDuringAction = true;
    harness.dialogs.files = [&] {
        downDuringAction = form.Check1()->isChecked();
        return QStringList{QStringLiteral("/music/one.mp3"), QStringLiteral("/music/two.mp3")};
    };
    QTest::mouseClick(form.Check1(), Qt::LeftButton);

    QCOMPARE(harness.dialogs.openFilesShown, 1);
    QVERIFY(!downDuringAction);
    QVERIFY(!form.Check1()->isChecked());
    QCOMPARE(form.FileList().Count(), 2);
    QCOMPARE(form.FileList().EntryText(2), QStringLiteral("/music/two.mp3"));
    QCOMPARE(harness.dialogs.browseFolderShown, 0);
}

void FormButtonsTest::onePressOnAddFolderShowsTheBrowserOnce() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    HoverOver(form.Check4());
    bool downDuringAction = true;
    harness.dialogs.folder = [&] {
        downDuringAction = form.Check4()->isChecked();
        return QString();
    };
    QTest::mouseClick(form.Check4(), Qt::LeftButton);

    QCOMPARE(harness.dialogs.browseFolderShown, 1);
    QVERIFY(!downDuringAction);
    QVERIFY(!form.Check4()->isChecked());
    // A cancelled browser leaves even the pointer as it was.
    QCOMPARE(form.MousePointer(), 99);
    QCOMPARE(form.FileList().Count(), 0);
}

void FormButtonsTest::onePressOnSplitRunsOneJob() {
    FormHarness harness;
    Form1& form = harness.StartShown();
    bool downDuringAction = true;
    harness.messages.whileShown = [&](const QString&) {
        downDuringAction = form.Check2()->isChecked();
    };
    QTest::mouseClick(form.Check2(), Qt::LeftButton);

    QCOMPARE(harness.messages.texts, QStringList{QStringLiteral("No files added.")});
    QVERIFY(!downDuringAction);
    QVERIFY(!form.Check2()->isChecked());
}

void FormButtonsTest::addsTheMp3FilesOfAFolderTree() {
    FormHarness harness;
    const QString music = QDir(harness.Root()).filePath(QStringLiteral("music"));
    MakeFile(music + QStringLiteral("/b.mp3"));
    MakeFile(music + QStringLiteral("/A.MP3"));
    MakeFile(music + QStringLiteral("/notes.txt"));
    MakeFile(music + QStringLiteral("/inner/c.mp3"));
    Form1& form = harness.StartShown();
    harness.dialogs.folder = [&] { return music; };

    QTest::mouseClick(form.Check4(), Qt::LeftButton);

    QCOMPARE(form.FileList().Count(), 3);
    QCOMPARE(form.FileList().EntryText(1), music + QStringLiteral("/A.MP3"));
    QCOMPARE(form.FileList().EntryText(2), music + QStringLiteral("/b.mp3"));
    QCOMPARE(form.FileList().EntryText(3), music + QStringLiteral("/inner/c.mp3"));
    QCOMPARE(form.MousePointer(), 0);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void FormButtonsTest::closingTheWindowEndsAFolderScan() {
    FormHarness harness;
    const QString music = QDir(harness.Root()).filePath(QStringLiteral("music"));
    for (int i = 0; i < 50; ++i) {
        MakeFile(music + QStringLiteral("/folder%1/track.mp3").arg(i));
    }
    Form1& form = harness.StartShown();
    int pointerWhenClosed = -1;
    harness.dialogs.folder = [&] {
        // Closes the window at the scan's first look at the window's events.
        QTimer::singleShot(0, &form, [&] {
            pointerWhenClosed = form.MousePointer();
            form.close();
        });
        return music;
    };

    QTest::mouseClick(form.Check4(), Qt::LeftButton);

    QCOMPARE(pointerWhenClosed, 11);
    QVERIFY(form.IsClosing());
    QVERIFY(form.FileList().Count() < 50);
    QCOMPARE(form.MousePointer(), 0);
    QVERIFY(harness.messages.texts.isEmpty());
}

QTEST_MAIN(FormButtonsTest)
#include "FormButtonsTest.moc"
