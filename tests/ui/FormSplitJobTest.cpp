// "Split!" through the window, with a stand-in splitter beside the program: the bar, the
// hourglass and the closing message, what the window ignores while a job runs, the
// chooser that applies from the next file, and closing the window in the middle of a job.
#include <signal.h>

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include "FileListModel.h"
#include "FileListView.h"
#include "FormTestSupport.h"
#include "PictureButton.h"
#include "StopSignals.h"

using namespace parvane;
using namespace parvane::test;

namespace {

// A source the stand-in splitter reads as 12 seconds long: at 0:05 that is pieces of 5,
// 5 and 2 seconds, and five runs in all (the estimate 12 / 5 + 3).
constexpr int kSourceSeconds = 12;
constexpr int kRunsPerSource = 5;

struct Observed {
    int progress;
    int pointer;
};

}  // namespace

class FormSplitJobTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void splitsEveryFileShowingProgressAndTheHourglass();
    void noFilesLeavesBarAndPointerAlone();
    void ignoresASecondSplitAndListEditsDuringAJob();
    void appliesAnotherIntervalFromTheNextFile();
    void closingDuringAJobKeepsFinishedPiecesOnly();
    // Last: it leaves the process's signal handlers changed.
    void aTerminationSignalClosesTheWindowDuringAJob();

private:
    QString Music() const;
    QStringList AddSources(const QStringList& names);
    QStringList MusicFolder() const;
    // Runs once, at the job's first progress, from within the job's wait.
    void DuringTheJob(std::function<void()> action);
    // Runs once, within the job's wait, when the splitter has been started `runs` times.
    void AtSplitterRun(int runs, std::function<void()> action);
    // Presses "Split!" and returns how long the job took, in milliseconds.
    qint64 TimedSplit();

    std::unique_ptr<FormHarness> harness_;
    Form1* form_ = nullptr;
};

void FormSplitJobTest::init() {
    harness_ = std::make_unique<FormHarness>();
    harness_->PutFakeSplitter();
    QVERIFY(QDir(harness_->Root()).mkpath(QStringLiteral("music")));
    form_ = &harness_->StartShown();
    form_->Combo1()->setCurrentIndex(0);  // " Split Every 0:05"
}

void FormSplitJobTest::cleanup() {
    harness_.reset();
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QString FormSplitJobTest::Music() const {
    return QDir(harness_->Root()).filePath(QStringLiteral("music"));
}

QStringList FormSplitJobTest::AddSources(const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        QFile file(QDir(Music()).filePath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QByteArray(kSourceSeconds, '\0'));
        }
        paths.append(file.fileName());
    }
    form_->FileList().AppendMany(paths);
    return paths;
}

QStringList FormSplitJobTest::MusicFolder() const {
    return QDir(Music()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void FormSplitJobTest::DuringTheJob(std::function<void()> action) {
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(form_->ProgressBar1(), &QProgressBar::valueChanged, this,
                    [this, once, action](int value) {
                        if (value > 0) {
                            disconnect(*once);
                            QTimer::singleShot(0, this, action);
                        }
                    });
}

void FormSplitJobTest::AtSplitterRun(int runs, std::function<void()> action) {
    auto* poll = new QTimer(form_);
    connect(poll, &QTimer::timeout, this, [this, poll, runs, action] {
        if (harness_->SplitterRuns().size() >= runs) {
            poll->stop();
            action();
        }
    });
    poll->start(10);
}

qint64 FormSplitJobTest::TimedSplit() {
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(form_->Check2(), Qt::LeftButton);
    return clock.elapsed();
}

void FormSplitJobTest::splitsEveryFileShowingProgressAndTheHourglass() {
    AddSources({QStringLiteral("a.mp3"), QStringLiteral("b.mp3"), QStringLiteral("c.mp3"),
                QStringLiteral("d.mp3")});
    QList<Observed> seen;
    connect(form_->ProgressBar1(), &QProgressBar::valueChanged, this,
            [&](int value) { seen.append({value, form_->MousePointer()}); });
    Observed atMessage{-1, -1};
    harness_->messages.whileShown = [&](const QString&) {
        atMessage = {form_->ProgressBar1()->value(), form_->MousePointer()};
    };

    QTest::mouseClick(form_->Check2(), Qt::LeftButton);

    QCOMPARE(harness_->messages.texts, QStringList{QStringLiteral("Done.")});
    QCOMPARE(seen.size(), 5);
    const QList<int> progress = {25, 50, 75, 100, 0};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(seen[i].progress, progress[i]);
        QCOMPARE(seen[i].pointer, 11);
    }
    QCOMPARE(seen[4].progress, 0);
    QCOMPARE(atMessage.progress, 100);
    QCOMPARE(atMessage.pointer, 11);
    QCOMPARE(form_->ProgressBar1()->value(), 0);
    QCOMPARE(form_->MousePointer(), 0);

    QStringList expected;
    for (const QString base : {"a", "b", "c", "d"}) {
        expected << base + QStringLiteral(".mp3");
        for (int piece = 1; piece <= 3; ++piece) {
            expected << base + QStringLiteral("-000%1.mp3").arg(piece);
        }
    }
    expected.sort();
    QCOMPARE(MusicFolder(), expected);
    QCOMPARE(harness_->SplitterRuns().size(), 4 * kRunsPerSource);
    QFile last(QDir(Music()).filePath(QStringLiteral("d-0003.mp3")));
    QCOMPARE(last.size(), 2);
}

void FormSplitJobTest::noFilesLeavesBarAndPointerAlone() {
    form_->ProgressBar1()->setValue(40);
    HoverOver(form_->Check2());
    QCOMPARE(form_->MousePointer(), 99);

    QTest::mouseClick(form_->Check2(), Qt::LeftButton);

    QCOMPARE(harness_->messages.texts, QStringList{QStringLiteral("No files added.")});
    QCOMPARE(form_->ProgressBar1()->value(), 40);
    QCOMPARE(form_->MousePointer(), 99);
    QVERIFY(harness_->SplitterRuns().isEmpty());
}

void FormSplitJobTest::ignoresASecondSplitAndListEditsDuringAJob() {
    AddSources({QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    bool actedWhileBusy = false;
    DuringTheJob([&] {
        actedWhileBusy = form_->IsBusy();
        QTest::mouseClick(form_->Check2(), Qt::LeftButton);
        QTest::mouseClick(form_->Check1(), Qt::LeftButton);
        QTest::mouseClick(form_->Check4(), Qt::LeftButton);
        QWidget* rows = form_->ListView1()->viewport();
        const QPoint first = form_->ListView1()->visualRect(form_->FileList().index(0, 0)).center();
        QTest::mouseClick(rows, Qt::LeftButton, {}, first);
        QTest::mouseDClick(rows, Qt::LeftButton, {}, first);
    });

    QTest::mouseClick(form_->Check2(), Qt::LeftButton);

    QVERIFY(actedWhileBusy);
    QCOMPARE(harness_->messages.texts, QStringList{QStringLiteral("Done.")});
    QCOMPARE(harness_->SplitterRuns().size(), 2 * kRunsPerSource);
    QCOMPARE(form_->FileList().Count(), 2);
    QCOMPARE(harness_->dialogs.openFilesShown, 0);
    QCOMPARE(harness_->dialogs.browseFolderShown, 0);
    QVERIFY(!form_->Check2()->isChecked());

    // The same double-click once the job is over does remove the entry.
    QWidget* rows = form_->ListView1()->viewport();
    const QPoint first = form_->ListView1()->visualRect(form_->FileList().index(0, 0)).center();
    QTest::mouseDClick(rows, Qt::LeftButton, {}, first);
    QCOMPARE(form_->FileList().Count(), 1);
}

void FormSplitJobTest::appliesAnotherIntervalFromTheNextFile() {
    const QStringList sources = AddSources({QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    DuringTheJob([&] { QTest::keyClick(form_->Combo1(), Qt::Key_Down); });

    QTest::mouseClick(form_->Check2(), Qt::LeftButton);

    QCOMPARE(form_->Combo1()->currentText(), QStringLiteral(" Split Every 0:10"));
    const QStringList runs = harness_->SplitterRuns();
    QVERIFY(runs.contains(sources[0] + QStringLiteral(" 0.05 0.10")));
    QVERIFY(!runs.contains(sources[0] + QStringLiteral(" 0.00 0.10")));
    QVERIFY(runs.contains(sources[1] + QStringLiteral(" 0.00 0.10")));
    QVERIFY(runs.contains(sources[1] + QStringLiteral(" 0.10 0.20")));
    QCOMPARE(QFile(QDir(Music()).filePath(QStringLiteral("b-0002.mp3"))).size(), 2);
}

void FormSplitJobTest::closingDuringAJobKeepsFinishedPiecesOnly() {
    AddSources({QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    // The run for piece 3 of a.mp3 writes half its piece and then hangs.
    harness_->PutFile(QStringLiteral("slow-start"), "0.10\n");
    AtSplitterRun(3, [this] { form_->close(); });

    // The hanging splitter would have taken half a minute.
    QVERIFY(TimedSplit() < 15000);
    QVERIFY(form_->IsClosing());
    QVERIFY(harness_->messages.texts.isEmpty());
    QCOMPARE(harness_->SplitterRuns().size(), 3);
    QCOMPARE(MusicFolder(), (QStringList{QStringLiteral("a-0001.mp3"), QStringLiteral("a-0002.mp3"),
                                         QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
}

void FormSplitJobTest::aTerminationSignalClosesTheWindowDuringAJob() {
    AddSources({QStringLiteral("a.mp3")});
    harness_->PutFile(QStringLiteral("slow-start"), "0.05\n");
    CloseOnStopSignals(*form_);
    AtSplitterRun(2, [] { ::raise(SIGTERM); });

    QVERIFY(TimedSplit() < 15000);
    QVERIFY(form_->IsClosing());
    QVERIFY(harness_->messages.texts.isEmpty());
    QCOMPARE(MusicFolder(), (QStringList{QStringLiteral("a-0001.mp3"), QStringLiteral("a.mp3")}));
}

QTEST_MAIN(FormSplitJobTest)
#include "FormSplitJobTest.moc"
