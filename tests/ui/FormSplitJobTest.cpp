// "Split!" through the window, with a stand-in splitter beside the program: the bar, the
// hourglass and the closing message, what the window ignores while a job runs, and
// closing the window in the middle of a job.
#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "FileListModel.h"
#include "FileListView.h"
#include "WindowTestSupport.h"
#include "PictureButton.h"
#include "StopSignals.h"

using namespace parvane;
using namespace parvane::test;

class FormSplitJobTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        harness_ = std::make_unique<FormHarness>();
        harness_->PutFakeSplitter();
        form_ = &harness_->Start();
        form_->IntervalChooser()->setCurrentIndex(0);  // " Split Every 0:05"
    }
    void cleanup() {
        // QTemporaryDir cannot remove names that are not UTF-8.
        std::filesystem::remove_all(QFile::encodeName(harness_->Root()).toStdString());
        harness_.reset();
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void splitsEveryFileShowingProgressAndTheHourglass() {
        AddSources({"a", "b", "c", "d"});
        // The bar's value and the window's pointer at each change of the bar, and at the box.
        QStringList seen;
        QProgressBar* bar = form_->ProgressBar();
        auto note = [&](const QString& what) {
            seen << what + QStringLiteral(" %1 %2").arg(bar->value()).arg(form_->MousePointer());
        };
        connect(bar, &QProgressBar::valueChanged, this, [&] { note(QStringLiteral("bar")); });
        harness_->desktop.whileShown = [&] { note(harness_->desktop.shown.last()); };

        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QCOMPARE(seen, (QStringList{"bar 25 11", "bar 50 11", "bar 75 11", "bar 100 11",
                                    "Done.\n4 files split completely. 100 11", "bar 0 11"}));
        QCOMPARE(form_->MousePointer(), 0);
        QCOMPARE(MusicFolder().size(), 4 + 4 * 3);  // pieces of 5, 5 and 2 seconds each
    }

    void duringAJobOnlyTheChooserAnswers() {
        const QStringList sources = AddSources({"a", "b"});
        QWidget* rows = form_->ListView()->viewport();
        const QPoint first = form_->ListView()->visualRect(form_->FileList().index(0, 0)).center();
        bool busy = false;
        DuringTheJob([&] {
            busy = form_->IsBusy();
            for (PictureButton* button : {form_->SplitButton(), form_->AddFilesButton(), form_->AddFolderButton()}) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
            QTest::mouseClick(rows, Qt::LeftButton, {}, first);
            QTest::mouseDClick(rows, Qt::LeftButton, {}, first);
            QTest::keyClick(form_->IntervalChooser(), Qt::Key_Down);
        });
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QVERIFY(busy);
        QCOMPARE(harness_->desktop.shown, QStringList{"Done.\n2 files split completely."});
        QCOMPARE(form_->FileList().Count(), 2);
        QVERIFY(!form_->SplitButton()->isChecked());
        // The new interval applies from the next file on.
        QCOMPARE(form_->IntervalChooser()->currentText(), QStringLiteral(" Split Every 0:10"));
        const QStringList runs = harness_->SplitterRuns();
        QVERIFY(runs.contains(sources[0] + QStringLiteral(" 0.05 0.10")));
        QVERIFY(runs.contains(sources[1] + QStringLiteral(" 0.10 0.20")));

        // The same double-click once the job is over does remove the entry.
        QTest::mouseDClick(rows, Qt::LeftButton, {}, first);
        QCOMPARE(form_->FileList().Count(), 1);
    }

    // Names in bytes that are not UTF-8 (here a Latin-1 "\xe9") reach the splitter as the
    // file system holds them, whether the folder scan found them or a drop brought them.
    void splitsFilesWhoseNamesAreNotUtf8() {
        const std::string music = QFile::encodeName(harness_->Root()).toStdString() + "/music";
        const std::string scanned = music + "/scan/caf\xe9.mp3";
        const std::string dropped = music + "/drop/d\xe9j\xe0 #1%.mp3";
        for (const std::string& source : {scanned, dropped}) {
            std::filesystem::create_directories(std::filesystem::path(source).parent_path());
            std::ofstream(source) << Mp3Of(6).toStdString();
        }
        harness_->desktop.folder = harness_->Root() + QStringLiteral("/music/scan");
        QTest::mouseClick(form_->AddFolderButton(), Qt::LeftButton);
        QMimeData files;
        files.setData(QStringLiteral("text/uri-list"),
                      "file://" + QByteArray::fromStdString(dropped).toPercentEncoding("/") +
                          "\r\n");
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(form_->ListView()->viewport(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, {});
        QApplication::sendEvent(form_->ListView()->viewport(), &drop);
        QCOMPARE(form_->FileList().Count(), 2);

        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QCOMPARE(harness_->desktop.shown, (QStringList{"folder?", "Done.\n2 files split completely."}));
        for (const std::string& source : {scanned, dropped}) {
            const std::string stem = source.substr(0, source.size() - 4);
            QVERIFY(std::filesystem::exists(stem + "-0001.mp3"));
            QVERIFY(std::filesystem::exists(stem + "-0002.mp3"));
        }
    }

    void closingDuringAJobKeepsFinishedPiecesOnly_data() {
        QTest::addColumn<bool>("bySignal");
        QTest::newRow("close button") << false;
        // Last: it changes the process's signal handlers.
        QTest::newRow("termination signal") << true;
    }
    void closingDuringAJobKeepsFinishedPiecesOnly() {
        QFETCH(bool, bySignal);
        AddSources({"a", "b"});
        // The run for piece 3 of a.mp3 writes half its piece, then hangs for half a minute.
        harness_->Put(QStringLiteral("bin/slow-start"), "0.10\n");
        if (bySignal) CloseOnStopSignals(*form_);
        auto* poll = new QTimer(form_);
        connect(poll, &QTimer::timeout, this, [this, poll, bySignal] {
            if (harness_->SplitterRuns().size() == 3) {
                poll->stop();
                if (bySignal) {
                    ::raise(SIGTERM);
                } else {
                    form_->close();
                }
            }
        });
        poll->start(10);
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QVERIFY(clock.elapsed() < 15000);
        QVERIFY(form_->IsClosing());
        QVERIFY(harness_->desktop.shown.isEmpty());
        QCOMPARE(MusicFolder(), (QStringList{"a-0001.mp3", "a-0002.mp3", "a.mp3", "b.mp3"}));
    }

private:
    // Sources of 12 seconds.
    QStringList AddSources(const QStringList& names) {
        QStringList paths;
        for (const QString& name : names) {
            paths << harness_->Put(QStringLiteral("music/%1.mp3").arg(name), Mp3Of(12));
        }
        form_->FileList().AppendMany(paths);
        return paths;
    }
    QStringList MusicFolder() const {
        return QDir(harness_->Root() + QStringLiteral("/music"))
            .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // Runs once, from within the job's wait, after the job's first progress.
    void DuringTheJob(const std::function<void()>& action) {
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = connect(form_->ProgressBar(), &QProgressBar::valueChanged, this,
                        [this, once, action] {
                            disconnect(*once);
                            QTimer::singleShot(0, this, action);
                        });
    }

    std::unique_ptr<FormHarness> harness_;
    MainWindow* form_ = nullptr;
};

QTEST_MAIN(FormSplitJobTest)
#include "FormSplitJobTest.moc"
