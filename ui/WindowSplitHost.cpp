#include "WindowSplitHost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <cmath>

#include "ClosingText.h"
#include "FileListModel.h"
#include "MainWindow.h"
#include "Intervals.h"
#include "JobProgressBar.h"
#include "PathText.h"
#include "PiecePaths.h"
#include "WindowPointer.h"

namespace parvane {

namespace {

// Up to this many problem lines stay in the message's text; more go in its details.
constexpr int kProblemLinesInText = 3;

QString Shown(const std::string& text) {
    return QFile::decodeName(QByteArray::fromStdString(text));
}

}  // namespace

int WindowSplitHost::EntryCount() const {
    return form_.FileList().Count();
}

std::string WindowSplitHost::EntryPath(int position) const {
    return TextToPath(form_.FileList().EntryText(position));
}

int WindowSplitHost::ChosenInterval() const {
    const int index = form_.IntervalChooser()->currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < kIntervalSeconds.size()
               ? kIntervalSeconds[static_cast<std::size_t>(index)]
               : 0;
}

std::string WindowSplitHost::ApplicationFolder() const {
    return TextToPath(form_.ApplicationFolder());
}

void WindowSplitHost::HandlePendingEvents() {
    QCoreApplication::processEvents();
}

bool WindowSplitHost::StopRequested() const {
    return form_.IsClosing();
}

void WindowSplitHost::FileStarted(int position, int entryCount, const std::string& sourcePath) {
    fileWords_ = QStringLiteral("File %1 of %2: %3")
                     .arg(position)
                     .arg(entryCount)
                     .arg(Shown(GetFileName(sourcePath)));
    form_.ProgressBar()->ShowWords(fileWords_);
    form_.SetMousePointer(kPointerBusy);
    // The share of the entries the list holds now, as the bar has always shown it.
    const double percent = static_cast<double>(position) / EntryCount() * 100.0;
    form_.ProgressBar()->setValue(static_cast<int>(std::lround(static_cast<float>(percent))));
}

void WindowSplitHost::PieceStarted(std::int64_t pieceNumber, const std::string&) {
    form_.ProgressBar()->ShowWords(fileWords_ + QStringLiteral(", piece %1").arg(pieceNumber));
}

void WindowSplitHost::JobFinished(const JobReport& report) {
    if (report.end == JobEnd::NoFiles) {
        form_.ShowMessage(QString::fromLatin1(kMessageNoFiles));
        return;
    }
    form_.ProgressBar()->ShowWords({});
    if (report.end != JobEnd::Stopped) {
        const ClosingText text = MakeClosingText(report);
        const QString summary = Shown(text.summary);
        const QString details = Shown(text.details);
        if (details.count(QLatin1Char('\n')) + 1 > kProblemLinesInText) {
            form_.ShowMessage(summary, details);
        } else {
            form_.ShowMessage(details.isEmpty() ? summary : summary + "\n\n" + details);
        }
    }
    form_.ProgressBar()->setValue(0);
    form_.SetMousePointer(kPointerDefault);
}

}  // namespace parvane
