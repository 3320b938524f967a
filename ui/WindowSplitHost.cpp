#include "WindowSplitHost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <cmath>

#include "ClosingText.h"
#include "FileListModel.h"
#include "MainWindow.h"
#include "Intervals.h"
#include "PathText.h"
#include "WindowPointer.h"

namespace parvane {

namespace {

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

void WindowSplitHost::FileStarted(int position, int, const std::string&) {
    form_.SetMousePointer(kPointerBusy);
    // The share of the entries the list holds now, as the bar has always shown it.
    const double percent = static_cast<double>(position) / EntryCount() * 100.0;
    form_.ProgressBar()->setValue(static_cast<int>(std::lround(static_cast<float>(percent))));
}

void WindowSplitHost::JobFinished(const JobReport& report) {
    if (report.end == JobEnd::NoFiles) {
        form_.ShowMessage(QString::fromLatin1(kMessageNoFiles));
        return;
    }
    if (report.end != JobEnd::Stopped) {
        const ClosingText text = MakeClosingText(report);
        form_.ShowMessage(Shown(text.details.empty() ? text.summary
                                                     : text.summary + "\n\n" + text.details));
    }
    form_.ProgressBar()->setValue(0);
    form_.SetMousePointer(kPointerDefault);
}

}  // namespace parvane
