// "Split!" through the window, with the stand-in splitter beside the program: the bar, its
// words and the hourglass, what the window ignores while a job runs, a stop by "Stop" or
// Escape, the closing message, an add that finds nothing, and a window that answers at
// every moment of a job, closing too.
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <signal.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/PathText.h"
#include "tests/support/WindowTestSupport.h"
#include "ui/JobProgressBar.h"
#include "ui/PictureButton.h"
#include "ui/SplitWorker.h"

using namespace parvane;
using namespace parvane::test;

class FormSplitJobTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        harness_ = std::make_unique<FormHarness>();
        harness_->splitter.Configure();
        form_ = &harness_->Start();
        form_->IntervalChooser()->setCurrentIndex(0);  // " Split Every 0:05"
    }
    void cleanup() {
        harness_.reset();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    // While the job runs, the add buttons look unavailable and ignore presses, the list
    // ignores edits, and the chooser answers; its new length applies from the next file on.
    // The bar goes through each file's share as its pieces are put in place.
    void showsWhatItSplitsAndOnlyTheChooserAnswers() {
        AddSources();
        // The first run waits for the chooser to have changed.
        harness_->splitter.Configure({}, false,
                                     {{1, "until [ -e \"$dir/../../go\" ]; do sleep 0.01; done"}});
        // Bar value, pointer over the list and words at every change, and at the closing message.
        QStringList seen;
        const JobProgressBar* bar = form_->ProgressBar();
        auto note = [&](const QString& what) {
            const QString words = bar->isTextVisible() ? bar->text() : QString();
            const QString pointer = SeenPointer(form_->ListView()->viewport()) == Qt::WaitCursor
                                        ? "hourglass"
                                        : "arrow";
            const QString now =
                QStringLiteral("%1 %2 %3 %4").arg(what).arg(bar->value()).arg(pointer, words);
            if (seen.isEmpty() || seen.last() != now) seen << now;
        };
        connect(form_->findChild<SplitWorker*>(), &SplitWorker::PieceStarted, this,
                [&] { note(QStringLiteral("run")); });
        connect(bar, &QProgressBar::valueChanged, this, [&] { note(QStringLiteral("bar")); });
        harness_->desktop.whileShown = [&] { note(harness_->desktop.shown.last()); };
        PictureButton* const buttons[] = {form_->AddFilesButton(), form_->AddFolderButton()};
        QList<QImage> idle, busy;
        for (PictureButton* button : buttons) idle << button->grab().toImage();

        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);
        for (PictureButton* button : buttons) {
            busy << button->grab().toImage();
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QTest::mouseDClick(form_->ListView()->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
        QTRY_VERIFY(bar->text().endsWith("piece 1 of 3"));
        QTest::keyClick(form_->IntervalChooser(), Qt::Key_Down);
        harness_->Put("go", {});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->IsBusy(), 10000);
        QCOMPARE(SeenPointer(form_), Qt::ArrowCursor);

        // Runs past the end of the sound, as the estimate after piece 2 calls for, name the last
        // piece.
        const QStringList expected = {"run 0 hourglass File 1 of 2: a.mp3, piece 1 of 3",
                                      "bar 17 hourglass File 1 of 2: a.mp3, piece 1 of 3",
                                      "run 17 hourglass File 1 of 2: a.mp3, piece 2 of 3",
                                      "bar 33 hourglass File 1 of 2: a.mp3, piece 2 of 3",
                                      "run 33 hourglass File 1 of 2: a.mp3, piece 3 of 3",
                                      "bar 50 hourglass File 1 of 2: a.mp3, piece 3 of 3",
                                      "run 50 hourglass File 1 of 2: a.mp3, piece 3 of 3",
                                      "run 50 hourglass File 2 of 2: b.mp3, piece 1 of 2",
                                      "bar 75 hourglass File 2 of 2: b.mp3, piece 1 of 2",
                                      "run 75 hourglass File 2 of 2: b.mp3, piece 2 of 2",
                                      "bar 100 hourglass File 2 of 2: b.mp3, piece 2 of 2",
                                      "run 100 hourglass File 2 of 2: b.mp3, piece 2 of 2",
                                      // The box wants the arrow, even over the busy window.
                                      "Done.\n2 files split completely. 100 arrow ",
                                      "bar 0 hourglass "};
        QCOMPARE(seen, expected);
        QCOMPARE(MusicFolder(), (QStringList{"a-0001.mp3", "a-0002.mp3", "a-0003.mp3", "a.mp3",
                                             "b-0001.mp3", "b-0002.mp3", "b.mp3"}));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(busy.at(i) != idle.at(i));
            QCOMPARE(buttons[i]->grab().toImage(), idle.at(i));
        }
    }

    // "Split!" is "Stop" while the job runs, and Escape does the same: the splitter goes at
    // once and the piece it was writing with it, the pieces put in place stay, and the
    // closing message says what is missing; "Show Pieces" shows the first piece.
    void stopsByItsButtonOrEscape_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Stop") << false;
        QTest::newRow("Escape") << true;
    }
    void stopsByItsButtonOrEscape() {
        QFETCH(bool, escape);
        AddSources();
        harness_->splitter.Configure({}, false,
                                     {{2,
                                       "echo $$ > \"$dir/../../splitter\"; "
                                       "truncate -s 10 \"$dir/$name.mp3\"; exec sleep 30"}});
        QStringList closingLines;
        harness_->desktop.pressAction = true;
        harness_->desktop.whileShown = [&] {
            if (harness_->desktop.shown.last().startsWith("Stopped."))
                closingLines = harness_->desktop.lines;
        };
        PictureButton* split = form_->SplitButton();
        QTest::mouseClick(split, Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(harness_->Root() + "/splitter") &&
                    form_->ProgressBar()->text().endsWith("piece 2 of 3"));
        QCOMPARE(split->text(), QStringLiteral("Stop"));
        QCOMPARE(split->toolTip(), QStringLiteral("Stop splitting (Esc)"));
        QVERIFY(!split->LooksUnavailable());
        if (escape) {
            QTest::keyClick(form_, Qt::Key_Escape);
        } else {
            QTest::mouseClick(split, Qt::LeftButton);
        }
        QTRY_VERIFY(!form_->IsBusy());
        QFile pidFile(harness_->Root() + "/splitter");
        QVERIFY(pidFile.open(QIODevice::ReadOnly));
        QCOMPARE(::kill(pidFile.readAll().trimmed().toInt(), 0), -1);
        QCOMPARE(split->text(), QStringLiteral("Split!"));
        const QString music = harness_->Root() + "/music";
        QCOMPARE(harness_->desktop.shown,
                 QStringList({"Stopped.\n0 files split completely, 1 split in part, 1 not split.",
                              "show " + music + "/a-0001.mp3"}));
        QCOMPARE(closingLines, QStringList({music + "/a.mp3: missing pieces 2-3 (stopped)",
                                            music + "/b.mp3: not split (stopped)"}));
        QCOMPARE(MusicFolder(), QStringList({"a-0001.mp3", "a.mp3", "b.mp3"}));
    }

    // An add that finds nothing says so in the bar for a while; a job started meanwhile
    // keeps its own words when that while is over.
    void anEmptyFolderIsToldAndItsNoteLeavesAJobsWordsAlone() {
        AddSources();
        const QString empty = harness_->Root() + "/empty";
        QDir().mkpath(empty + "/sub");
        harness_->desktop.folder = empty;
        JobProgressBar* bar = form_->ProgressBar();
        bar->SetNoteDuration(std::chrono::milliseconds(300));
        QTest::mouseClick(form_->AddFolderButton(), Qt::LeftButton);
        QTRY_COMPARE(bar->accessibleDescription(), "No MP3 files in " + empty);
        harness_->splitter.Configure({}, false,
                                     {{1, "until [ -e \"$dir/../../go\" ]; do sleep 0.01; done"}});
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);
        QTRY_VERIFY(bar->text().endsWith("piece 1 of 3"));
        QTest::qWait(400);
        QVERIFY(bar->text().endsWith("piece 1 of 3"));
        harness_->Put("go", {});
        QTRY_VERIFY_WITH_TIMEOUT(!form_->IsBusy(), 10000);
        QCOMPARE(form_->FileList().Count(), 2);
    }

    // Every problem a line of its own below the counts. A name in bytes that are not UTF-8
    // (Latin-1 "\xe9") reaches the splitter as the file system holds it.
    void theClosingMessageListsEveryProblem() {
        const testing::TempFolder music;  // QTemporaryDir cannot remove such names
        testing::PutMp3(music / "caf\xe9.mp3", 12);
        form_->ListView()->AddDroppedFiles(
            {PathToText(music / "caf\xe9.mp3"), "/gone/1.mp3", "/gone/2.mp3"});
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);
        QTRY_VERIFY(!form_->IsBusy());
        QCOMPARE(harness_->desktop.shown,
                 QStringList{"Done.\n1 file split completely, 2 not split."});
        QCOMPARE(harness_->desktop.lines,
                 QStringList({"/gone/1.mp3: not found", "/gone/2.mp3: not found"}));
        QVERIFY(std::filesystem::exists(music / "caf\xe9-0003.mp3"));
    }

    // The source is measured and the splitter runs off the window's thread: the window goes
    // on answering its timer. A termination signal closes it as its close button does, at
    // once; the job then stops and discards the piece being written, and the pieces
    // finished before stay.
    void answersThroughoutAJobAndClosesAtOnce() {
        const QString music = harness_->Root() + "/music";
        PutLargeSource(music + "/big.mp3");
        form_->FileList().Append(music + "/big.mp3");
        harness_->splitter.Configure({}, false,
                                     {{3, "truncate -s 10 \"$dir/$name.mp3\"; exec sleep 30"}});
        form_->IntervalChooser()->setCurrentIndex(22);
        QElapsedTimer clock;
        qint64 last = 0, longestGap = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] {
            longestGap = std::max(longestGap, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        tick.start(5);
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(form_->ProgressBar()->text().contains("piece 3 of") &&
                                     QDirIterator(music, {"piece.mp3"}, QDir::Files | QDir::Hidden,
                                                  QDirIterator::Subdirectories)
                                         .hasNext(),
                                 20000);
        QVERIFY2(longestGap < 1000, qPrintable(QString::number(longestGap)));
        // At once: long before the stand-in's 30 s would end the run.
        const qint64 asked = clock.elapsed();
        ::kill(::getpid(), SIGTERM);
        QVERIFY(QTest::qWaitFor([&] { return !form_->isVisible(); }, 2000));
        harness_->End();
        QVERIFY2(clock.elapsed() - asked < 3000,
                 qPrintable(QString::number(clock.elapsed() - asked)));
        QVERIFY(harness_->desktop.shown.isEmpty());
        QCOMPARE(MusicFolder(), QStringList({"big-0001.mp3", "big-0002.mp3", "big.mp3"}));
    }

    // Closed while a folder is scanned, the window goes at once; the scan ends with it,
    // nothing more is shown and no hourglass is left behind.
    void closesAtOnceDuringAFolderScan() {
        for (int i = 0; i < 100; ++i) harness_->Put(QStringLiteral("tree/%1/a.mp3").arg(i), "x");
        harness_->desktop.folder = harness_->Root() + "/tree";
        QTest::mouseClick(form_->AddFolderButton(), Qt::LeftButton);
        QVERIFY(form_->IsBusy());
        form_->close();
        QVERIFY(!form_->isVisible());
        harness_->End();
        QCOMPARE(harness_->desktop.shown, QStringList{"folder?"});
    }

    // A fault of the program's own on the job's thread ends the job with its reason in a
    // box, nothing private stays, and the window is idle again.
    void anInternalErrorIsShownAndTheWindowIsIdleAgain() {
        struct ThrowingRunner final : ProcessRunner {
            RunResult Run(const std::vector<std::string>&, const WaitHooks&) override {
                throw std::length_error("basic_string::_M_create");
            }
        } throwing;
        FakeDesktop& desktop = harness_->desktop;
        MainWindow form(FormServices{harness_->Bin(), desktop, desktop, throwing, desktop});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        AddSources(form);
        QTest::mouseClick(form.SplitButton(), Qt::LeftButton);
        QTRY_VERIFY(!form.IsBusy());
        QCOMPARE(desktop.shown,
                 QStringList{"internal error: basic_string::_M_create\nNothing was split."});
        QCOMPARE(MusicFolder(), QStringList({"a.mp3", "b.mp3"}));
        QCOMPARE(form.SplitButton()->text(), QStringLiteral("Split!"));
        QCOMPARE(SeenPointer(&form), Qt::ArrowCursor);
    }

private:
    // a.mp3 and b.mp3, 12 seconds each.
    void AddSources() { AddSources(*form_); }
    void AddSources(MainWindow& form) {
        for (const char* name : {"a", "b"}) {
            const QString path = harness_->Root() + QStringLiteral("/music/%1.mp3").arg(name);
            testing::PutMp3(path.toStdString(), 12);
            form.FileList().Append(path);
        }
    }
    // Forty megabytes of one short recording over and over: a source the measure takes
    // a while to read.
    static void PutLargeSource(const QString& path) {
        const testing::TempFolder scratch;
        testing::MakeMp3(scratch / "s.mp3", {"synth", "60"},
                         {"-b", "8", "-m", "m", "--resample", "8"});
        const std::string once = testing::ReadFile(scratch / "s.mp3");
        std::string large;
        while (large.size() < 40'000'000) large += once;
        testing::WriteFile(path.toStdString(), large);
    }
    // Private folders included.
    QStringList MusicFolder() const {
        return QDir(harness_->Root() + "/music")
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    std::unique_ptr<FormHarness> harness_;
    MainWindow* form_ = nullptr;
};

QTEST_MAIN(FormSplitJobTest)
#include "FormSplitJobTest.moc"
