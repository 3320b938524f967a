#include "WindowSplitHost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <cmath>

#include "FileListModel.h"
#include "Form1.h"

namespace parvane {

namespace {

// Paths travel to the engine in the file system's own encoding, as the scan found them.
std::string ToFileSystem(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

}  // namespace

int WindowSplitHost::EntryCount() const {
    return form_.FileList().Count();
}

std::string WindowSplitHost::EntryText(int position) const {
    return ToFileSystem(form_.FileList().EntryText(position));
}

std::string WindowSplitHost::IntervalEntryText() const {
    return form_.Combo1()->currentText().toStdString();
}

std::string WindowSplitHost::ApplicationFolder() const {
    return ToFileSystem(form_.ApplicationFolder());
}

void WindowSplitHost::SetProgress(float percent) {
    form_.ProgressBar1()->setValue(static_cast<int>(std::lround(percent)));
}

void WindowSplitHost::SetWindowPointer(int pointer) {
    form_.SetMousePointer(pointer);
}

void WindowSplitHost::ShowMessage(const std::string& text) {
    form_.ShowMessage(QFile::decodeName(QByteArray::fromStdString(text)));
}

void WindowSplitHost::HandlePendingEvents() {
    QCoreApplication::processEvents();
}

bool WindowSplitHost::StopRequested() const {
    return form_.IsClosing();
}

}  // namespace parvane
