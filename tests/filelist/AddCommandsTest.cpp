#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTimer>
#include <QtTest>

#include "AddCommands.h"
#include "FileDialogs.h"
#include "FileListModel.h"
#include "FolderScan.h"
#include "TempTree.h"

namespace parvane {

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
    void addFilesAppendsTheChosenFilesInTheDialogsOrder() {
        FileListModel list;
        list.Append("/m/first.mp3");
        FakeDialogs dialogs;
        dialogs.files = {"/m/z.mp3", "/n/A.MP3", "/m/~a.mp3", "/m/first.mp3"};
        AddFilesCommand(nullptr, dialogs, list);
        QCOMPARE(dialogs.asked, QStringList({"Add File(s) - Use Ctrl & Shift to select multiple files",
                                             "MP3 Files (*.mp3)"}));
        QCOMPARE(Texts(list), QStringList({"/m/first.mp3", "/m/z.mp3", "/n/A.MP3", "/m/~a.mp3",
                                           "/m/first.mp3"}));
        dialogs.files.clear();
        AddFilesCommand(nullptr, dialogs, list);
        QCOMPARE(list.Count(), 5);
    }

    void addFolderAppendsTheScanWithTheHourglassMeanwhile() {
        test::TempTree tree;
        for (const char* file : {"b/2.mp3", "B.MP3", "a/1.mp3", "~x.mp3", ".h/3.mp3", "a/c/4.mp3"}) {
            tree.File(file);
        }
        FileListModel list;
        FakeDialogs dialogs;
        dialogs.folder = QString::fromStdString(tree.Root());
        QList<int> pointers;
        AddFolderHooks hooks;
        hooks.setPointer = [&](int pointer) { pointers << pointer; };
        hooks.handleEvents = [&] { QCOMPARE(pointers.last(), 11); };
        AddFolderCommand(nullptr, dialogs, list, hooks);
        QCOMPARE(dialogs.asked, QStringList({"Please select folder to add:"}));
        QCOMPARE(pointers, QList<int>({11, 0}));
        const QString root = dialogs.folder;
        const QStringList once{root + "/B.MP3", root + "/a/1.mp3", root + "/b/2.mp3",
                               root + "/a/c/4.mp3"};
        QCOMPARE(Texts(list), once);
        AddFolderCommand(nullptr, dialogs, list, hooks);
        QCOMPARE(Texts(list), once + once);
    }

    void cancellingTheFolderBrowserChangesNothingNotEvenThePointer() {
        FileListModel list;
        FakeDialogs dialogs;
        bool touched = false;
        AddFolderHooks hooks;
        hooks.setPointer = [&](int) { touched = true; };
        hooks.handleEvents = [&] { touched = true; };
        AddFolderCommand(nullptr, dialogs, list, hooks);
        QVERIFY(!touched);
        QCOMPARE(list.Count(), 0);
    }

    void aFolderWithoutMp3FilesStillEndsWithTheDefaultPointer() {
        test::TempTree tree;
        tree.File("notes.txt");
        FileListModel list;
        FakeDialogs dialogs;
        dialogs.folder = QString::fromStdString(tree.Root());
        QList<int> pointers;
        AddFolderHooks hooks;
        hooks.setPointer = [&](int pointer) { pointers << pointer; };
        AddFolderCommand(nullptr, dialogs, list, hooks);
        QCOMPARE(pointers, QList<int>({11, 0}));
        QCOMPARE(list.Count(), 0);
    }

    void aClosingWindowEndsTheCommandWithoutAppending() {
        test::TempTree tree;
        tree.File("a.mp3");
        FakeDialogs dialogs;
        dialogs.folder = QString::fromStdString(tree.Root());
        for (int stopAtCall : {1, 2}) {
            FileListModel list;
            QList<int> pointers;
            int calls = 0;
            AddFolderHooks hooks;
            hooks.setPointer = [&](int pointer) { pointers << pointer; };
            hooks.handleEvents = [&] { ++calls; };
            hooks.stopRequested = [&] { return calls >= stopAtCall; };
            AddFolderCommand(nullptr, dialogs, list, hooks);
            QCOMPARE(calls, stopAtCall);
            QCOMPARE(list.Count(), 0);
            QCOMPARE(pointers, QList<int>({11, 0}));
        }
    }

    void manyFilesArriveCompleteAndInScanOrder() {
        test::TempTree tree;
        for (int i = 0; i < 2500; ++i) tree.File("f" + std::to_string(i % 3) + "/" + std::to_string(i) + ".mp3");
        FileListModel list;
        FakeDialogs dialogs;
        dialogs.folder = QString::fromStdString(tree.Root());
        AddFolderCommand(nullptr, dialogs, list, {});
        const std::vector<std::string> scanned = ScanFolderTree(tree.Root());
        QCOMPARE(list.Count(), 2500);
        for (int position = 1; position <= list.Count(); position += 499) {
            QCOMPARE(list.EntryText(position), QString::fromStdString(scanned[position - 1]));
        }
        QCOMPARE(list.EntryText(2500), QString::fromStdString(scanned.back()));
    }

    void theFileDialogShowsOneMp3FilterThatIgnoresCase() {
        test::TempTree tree;
        for (const char* file : {"a.mp3", "B.MP3", "c.Mp3", "d.txt"}) tree.File(file);
        const QString folder = QString::fromStdString(tree.Root());
        QString title;
        QStringList filters;
        int shown = -1;
        AnswerDialog([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            dialog->setDirectory(folder);
            auto* files = dialog->findChild<QFileSystemModel*>();
            if (files == nullptr) return;
            // The dialog reads the folder on a thread of its own.
            if (QTest::qWaitFor([&] { return files->rowCount(files->index(folder)) >= 3; })) {
                shown = files->rowCount(files->index(folder));
            }
        });
        QtFileDialogs dialogs;
        QCOMPARE(dialogs.OpenFiles(nullptr, QString::fromUtf8(kAddFilesTitle),
                                   QString::fromUtf8(kAddFilesFilter)),
                 QStringList());
        QCOMPARE(title, QString::fromUtf8(kAddFilesTitle));
        QCOMPARE(filters, QStringList({"MP3 Files (*.mp3)"}));
        QCOMPARE(shown, 3);
    }

private:
    // Looks at the next modal file dialog once it is up, then cancels it.
    static void AnswerDialog(std::function<void(QFileDialog*)> inspect) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            inspect(dialog);
            dialog->reject();
        });
        poll->start(10);
    }
    static QStringList Texts(const FileListModel& list) {
        QStringList texts;
        for (int position = 1; position <= list.Count(); ++position) texts << list.EntryText(position);
        return texts;
    }
};

}  // namespace parvane

QTEST_MAIN(parvane::AddCommandsTest)
#include "AddCommandsTest.moc"
