#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "AddCommands.h"
#include "FileDialogs.h"
#include "FileListModel.h"
#include "FolderScan.h"
#include "TestSupport.h"

namespace parvane {

using testing::TempFolder;
using testing::WriteFile;

class FakeDialogs final : public FileDialogs {
public:
    QStringList OpenFiles(QWidget*, const QString& title, const QString& filter) override {
        asked << title << filter;
        return files;
    }
    QString BrowseFolder(QWidget*, const QString& title) override {
        asked << title;
        return folder;
    }
    QStringList files;
    QString folder;
    QStringList asked;
};

class AddCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        list_ = std::make_unique<FileListModel>();
        dialogs_ = FakeDialogs();
        pointers_.clear();
        hooks_ = AddFolderHooks();
        hooks_.setPointer = [this](int pointer) { pointers_ << pointer; };
    }

    void addFilesAppendsTheChosenFilesInTheDialogsOrder() {
        list_->Append("/m/first.mp3");
        dialogs_.files = {"/m/z.mp3", "/n/A.MP3", "/m/~a.mp3", "/m/first.mp3"};
        AddFilesCommand(nullptr, dialogs_, *list_);
        QCOMPARE(dialogs_.asked,
                 QStringList({"Add File(s) - Use Ctrl & Shift to select multiple files",
                              "MP3 Files (*.mp3 *.MP3)"}));
        QCOMPARE(Texts(), QStringList({"/m/first.mp3", "/m/z.mp3", "/n/A.MP3", "/m/~a.mp3",
                                       "/m/first.mp3"}));
        dialogs_.files.clear();
        AddFilesCommand(nullptr, dialogs_, *list_);
        QCOMPARE(list_->Count(), 5);
    }

    // Qt's own dialog, which stands in where the desktop offers none: a folder typed and
    // entered, then Open on the empty name field, must not keep a name typed next from
    // being taken.
    void ownDialogTakesANameAfterAFolderWasEntered() {
        const TempFolder tree;
        WriteFile(tree / "sub/a.mp3");
        QTimer::singleShot(0, [&tree] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            const auto closed = qScopeGuard([dialog] {
                if (dialog->isVisible()) dialog->reject();
            });
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QPushButton* open =
                dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
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

    // Cancelling the folder browser changes nothing, not even the pointer.
    void addFolderAppendsTheScanWithTheHourglassMeanwhile() {
        const TempFolder tree;
        for (const char* file :
             {"b/2.mp3", "B.MP3", "a/1.mp3", "~x.mp3", ".h/3.mp3", "a/c/4.mp3"}) {
            WriteFile(tree / file);
        }
        const QString root = Choose(tree);
        hooks_.handleEvents = [this] { QCOMPARE(pointers_, QList<int>({11})); };
        AddFolderCommand(nullptr, dialogs_, *list_, hooks_);
        QCOMPARE(dialogs_.asked, QStringList({"Please select folder to add:"}));
        QCOMPARE(pointers_, QList<int>({11, 0}));
        QCOMPARE(Texts(), QStringList({root + "/B.MP3", root + "/a/1.mp3", root + "/b/2.mp3",
                                       root + "/a/c/4.mp3"}));
        dialogs_.folder.clear();
        pointers_.clear();
        AddFolderCommand(nullptr, dialogs_, *list_, hooks_);
        QVERIFY(pointers_.isEmpty());
        QCOMPARE(list_->Count(), 4);
    }

    // Before the scan or during it: nothing is appended, and the pointer is reset.
    void aClosingWindowEndsTheCommandWithoutAppending() {
        const TempFolder tree;
        WriteFile(tree / "a.mp3");
        Choose(tree);
        for (int stopAtCall : {1, 2}) {
            int calls = 0;
            pointers_.clear();
            hooks_.handleEvents = [&] { ++calls; };
            hooks_.stopRequested = [&] { return calls >= stopAtCall; };
            AddFolderCommand(nullptr, dialogs_, *list_, hooks_);
            QCOMPARE(calls, stopAtCall);
            QCOMPARE(pointers_, QList<int>({11, 0}));
        }
        QCOMPARE(list_->Count(), 0);
    }

    // More files than the command appends at a time.
    void manyFilesArriveCompleteAndInScanOrder() {
        const TempFolder tree;
        for (int i = 0; i < 1500; ++i) {
            WriteFile(tree / ("f" + std::to_string(i % 3) + "/" + std::to_string(i) + ".mp3"));
        }
        Choose(tree);
        AddFolderCommand(nullptr, dialogs_, *list_, {});
        QStringList scanned;
        for (const std::string& path : ScanFolderTree(tree.path())) {
            scanned << QString::fromStdString(path);
        }
        QCOMPARE(scanned.size(), 1500);
        QCOMPARE(Texts(), scanned);
    }

private:
    QString Choose(const TempFolder& tree) {
        dialogs_.folder = QString::fromStdString(tree.path());
        return dialogs_.folder;
    }
    QStringList Texts() const {
        QStringList texts;
        for (int position = 1; position <= list_->Count(); ++position) {
            texts << list_->EntryText(position);
        }
        return texts;
    }

    std::unique_ptr<FileListModel> list_;
    FakeDialogs dialogs_;
    QList<int> pointers_;
    AddFolderHooks hooks_;
};

}  // namespace parvane

QTEST_MAIN(parvane::AddCommandsTest)
#include "AddCommandsTest.moc"
