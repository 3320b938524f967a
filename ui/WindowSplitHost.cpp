#include "WindowSplitHost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <cmath>

#include "ClosingText.h"
#include "FileListModel.h"
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
    return window_.files.Count();
}

std::string WindowSplitHost::EntryPath(int position) const {
    return TextToPath(window_.files.EntryText(position));
}

int WindowSplitHost::ChosenInterval() const {
    const int index = window_.intervalChooser.currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < kIntervalSeconds.size()
               ? kIntervalSeconds[static_cast<std::size_t>(index)]
               : 0;
}

std::string WindowSplitHost::ApplicationFolder() const {
    return TextToPath(window_.applicationFolder);
}

void WindowSplitHost::HandlePendingEvents() {
    QCoreApplication::processEvents();
}

bool WindowSplitHost::StopRequested() const {
    return window_.closing();
}

void WindowSplitHost::FileStarted(int position, int entryCount, const std::string& sourcePath) {
    fileWords_ = QStringLiteral("File %1 of %2: %3")
                     .arg(position)
                     .arg(entryCount)
                     .arg(Shown(GetFileName(sourcePath)));
    window_.progressBar.ShowWords(fileWords_);
    window_.setPointer(kPointerBusy);
    // The share of the entries the list holds now, as the bar has always shown it.
    const double percent = static_cast<double>(position) / EntryCount() * 100.0;
    window_.progressBar.setValue(static_cast<int>(std::lround(static_cast<float>(percent))));
}

void WindowSplitHost::PieceStarted(std::int64_t pieceNumber, const std::string&) {
    window_.progressBar.ShowWords(fileWords_ + QStringLiteral(", piece %1").arg(pieceNumber));
}

void WindowSplitHost::JobFinished(const JobReport& report) {
    if (report.end == JobEnd::NoFiles) {
        window_.showMessage(QString::fromLatin1(kMessageNoFiles), {});
        return;
    }
    window_.progressBar.ShowWords({});
    if (report.end != JobEnd::Stopped) {
        const ClosingText text = MakeClosingText(report);
        const QString summary = Shown(text.summary);
        const QString details = Shown(text.details);
        if (details.count(QLatin1Char('\n')) + 1 > kProblemLinesInText) {
            window_.showMessage(summary, details);
        } else {
            window_.showMessage(details.isEmpty() ? summary : summary + "\n\n" + details, {});
        }
    }
    window_.progressBar.setValue(0);
    window_.setPointer(kPointerDefault);
}

}  // namespace parvane
