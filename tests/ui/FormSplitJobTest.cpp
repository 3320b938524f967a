// "Split!" through the window, with the stand-in splitter beside the program: the bar, its
// words and the hourglass, what the window ignores while a job runs, the closing message,
// and closing the window in the middle of a job.
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "FileListModel.h"
#include "FileListView.h"
#include "JobProgressBar.h"
#include "PathText.h"
#include "PictureButton.h"
#include "StopSignals.h"
#include "WindowTestSupport.h"

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
    void cleanup() { QCOMPARE(QGuiApplication::overrideCursor(), nullptr); }

    // While the job runs, the buttons look unavailable and ignore presses, the list ignores
    // edits, and the chooser answers; its new length applies from the next file on.
    void showsWhatItSplitsAndOnlyTheChooserAnswers() {
        AddSources();
        // Bar value, pointer and words at every change, and at the closing message.
        QStringList seen;
        const JobProgressBar* bar = form_->ProgressBar();
        auto note = [&](const QString& what) {
            const QString words = bar->isTextVisible() ? bar->text() : QString();
            const QString now = QStringLiteral("%1 %2 %3 %4").arg(what).arg(bar->value())
                                    .arg(form_->MousePointer()).arg(words);
            if (seen.isEmpty() || seen.last() != now) seen << now;
        };
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] { note(QStringLiteral("run")); });
        poll.start(0);
        connect(bar, &QProgressBar::valueChanged, this, [&] { note(QStringLiteral("bar")); });
        harness_->desktop.whileShown = [&] { note(harness_->desktop.shown.last()); };
        PictureButton* const buttons[] = {form_->SplitButton(), form_->AddFilesButton(),
                                          form_->AddFolderButton()};
        QList<QImage> idle, busy;
        for (PictureButton* button : buttons) idle << button->grab().toImage();
        QTimer::singleShot(0, this, [&] {  // inside the first wait for the splitter
            for (PictureButton* button : buttons) {
                busy << button->grab().toImage();
                QTest::mouseClick(button, Qt::LeftButton);
            }
            QTest::mouseDClick(form_->ListView()->viewport(), Qt::LeftButton, {}, QPoint(40, 30));
            QTest::keyClick(form_->IntervalChooser(), Qt::Key_Down);
        });

        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QStringList expected;
        // Runs past the end of the sound, as the estimate after piece 2 calls for, show as well.
        for (const auto& [file, runs] :
             {std::pair{"50 11 File 1 of 2: a.mp3", 5}, {"100 11 File 2 of 2: b.mp3", 5}}) {
            expected << QStringLiteral("bar ") + file;
            for (int piece = 1; piece <= runs; ++piece)
                expected << QStringLiteral("run %1, piece %2").arg(file).arg(piece);
        }
        expected << "Done.\n2 files split completely. 100 11 " << "bar 0 11 ";
        QCOMPARE(seen, expected);
        QCOMPARE(MusicFolder(), (QStringList{"a-0001.mp3", "a-0002.mp3", "a-0003.mp3", "a.mp3",
                                             "b-0001.mp3", "b-0002.mp3", "b.mp3"}));
        for (int i = 0; i < 3; ++i) {
            QVERIFY(busy.at(i) != idle.at(i));
            QCOMPARE(buttons[i]->grab().toImage(), idle.at(i));
        }
    }

    // Besides, a name in bytes that are not UTF-8 (Latin-1 "\xe9") reaches the splitter as
    // the file system holds it.
    void theClosingMessageKeepsManyProblemsInItsDetails_data() {
        QTest::addColumn<int>("missing");  // more than three go in the details
        QTest::newRow("three in the text") << 3;
        QTest::newRow("four in the details") << 4;
    }
    void theClosingMessageKeepsManyProblemsInItsDetails() {
        QFETCH(int, missing);
        const bool inDetails = missing > 3;
        const testing::TempFolder music;  // QTemporaryDir cannot remove such names
        testing::PutMp3(music / "caf\xe9.mp3", 12);
        QStringList paths = {PathToText(music / "caf\xe9.mp3")}, lines;
        for (int i = 1; i <= missing; ++i) {
            paths << QStringLiteral("/gone/%1.mp3").arg(i);
            lines << paths.last() + QStringLiteral(": not found");
        }
        form_->ListView()->AddDroppedFiles(paths);
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        const QString summary =
            QStringLiteral("Done.\n1 file split completely, %1 with problems.").arg(missing);
        const QString problems = lines.join('\n');
        QCOMPARE(harness_->desktop.shown,
                 QStringList{inDetails ? summary : summary + "\n\n" + problems});
        QCOMPARE(harness_->desktop.details, inDetails ? problems : QString());
        QVERIFY(std::filesystem::exists(music / "caf\xe9-0003.mp3"));
    }

    // Last: it changes the process's signal handlers. A termination signal closes the
    // window as its close button does.
    void closingDuringAJobKeepsFinishedPiecesOnly() {
        AddSources();
        // The run for piece 3 writes part of its piece, has the window closed, and hangs.
        harness_->splitter.Configure({}, false, {{3, "truncate -s 10 \"$dir/$name.mp3\"; "
                                                               "kill -TERM $PPID; exec sleep 30"}});
        CloseOnStopSignals(*form_);
        QTest::mouseClick(form_->SplitButton(), Qt::LeftButton);

        QVERIFY(form_->IsClosing());
        QVERIFY(harness_->desktop.shown.isEmpty());
        QCOMPARE(MusicFolder(), (QStringList{"a-0001.mp3", "a-0002.mp3", "a.mp3", "b.mp3"}));
    }

private:
    // a.mp3 and b.mp3, 12 seconds each.
    void AddSources() {
        for (const char* name : {"a", "b"}) {
            const QString path = harness_->Root() + QStringLiteral("/music/%1.mp3").arg(name);
            testing::PutMp3(path.toStdString(), 12);
            form_->FileList().Append(path);
        }
    }
    QStringList MusicFolder() const {
        return QDir(harness_->Root() + "/music").entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    std::unique_ptr<FormHarness> harness_;
    MainWindow* form_ = nullptr;
};

QTEST_MAIN(FormSplitJobTest)
#include "FormSplitJobTest.moc"
