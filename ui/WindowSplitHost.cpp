#include "WindowSplitHost.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QProgressBar>
#include <cmath>

#include "FileListModel.h"
#include "Form1.h"
#include "PathText.h"

namespace parvane {

int WindowSplitHost::EntryCount() const {
    return form_.FileList().Count();
}

std::string WindowSplitHost::EntryText(int position) const {
    return TextToPath(form_.FileList().EntryText(position));
}

std::string WindowSplitHost::IntervalEntryText() const {
    return form_.Combo1()->currentText().toStdString();
}

std::string WindowSplitHost::ApplicationFolder() const {
    return TextToPath(form_.ApplicationFolder());
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
