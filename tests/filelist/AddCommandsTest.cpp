// The two add commands over a stand-in desktop, and Qt's own file dialog driven by keys
// and clicks.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "AddCommands.h"
#include "FileListModel.h"
#include "FolderScan.h"
#include "TestSupport.h"
#include "WindowTestSupport.h"

namespace parvane {
class AddCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // Qt's own dialog, which stands in where the desktop offers none: a folder typed and
    // entered, then Open on the empty name field, must not keep a name typed next from
    // being taken.
    void ownDialogTakesANameAfterAFolderWasEntered() {
        const testing::TempFolder tree;
        testing::WriteFile(tree / "sub/a.mp3");
        QTimer::singleShot(0, [&tree] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            const auto closed = qScopeGuard([=] { if (dialog->isVisible()) dialog->reject(); });
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            auto* open = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
            const QString folder = QString::fromStdString(tree / "sub");
            QTest::keyClicks(name, folder);
            QTest::keyClick(name, Qt::Key_Return);
            QTRY_COMPARE(dialog->directory().absolutePath(), folder);
            QTest::mouseClick(open, Qt::LeftButton);
            QTest::keyClicks(name, QStringLiteral("a.mp3"));
            QTest::mouseClick(open, Qt::LeftButton);
        });
        QCOMPARE(QtFileDialogs().OpenFiles(nullptr, {}, {}),
                 QStringList{QString::fromStdString(tree / "sub/a.mp3")});
    }

    // More files than are appended at a time; a window closing at one of the command's
    // pauses (1: before the scan, 2: during it) ends it with nothing appended and the
    // pointer reset.
    void addFolderAppendsTheScanUnderTheHourglass() {
        const testing::TempFolder tree;
        for (int i = 0; i < 1001; ++i) testing::WriteFile(tree / (std::to_string(i) + ".mp3"));
        QStringList scanned;
        for (const std::string& path : ScanFolderTree(tree.path()).paths) scanned << path.c_str();
        test::FakeDesktop desktop;
        desktop.folder = QString::fromStdString(tree.path());
        for (const int stopAtPause : {0, 1, 2}) {
            QList<int> pointers;
            int pauses = 0;
            const AddFolderHooks hooks{
                .handleEvents = [&] { ++pauses; QCOMPARE(pointers, QList<int>({11})); },
                .setPointer = [&](int pointer) { pointers << pointer; },
                .stopRequested = [&] { return stopAtPause > 0 && pauses >= stopAtPause; }};
            FileListModel list;
            AddFolderCommand(nullptr, desktop, list, hooks);
            QCOMPARE(pointers, QList<int>({11, 0}));
            QStringList appended;
            for (int i = 1; i <= list.Count(); ++i) appended << list.EntryText(i);
            QCOMPARE(appended, stopAtPause == 0 ? scanned : QStringList());
            if (stopAtPause > 0) QCOMPARE(pauses, stopAtPause);
        }
    }
};

}  // namespace parvane

QTEST_MAIN(parvane::AddCommandsTest)
#include "AddCommandsTest.moc"
