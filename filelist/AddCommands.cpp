#include "AddCommands.h"

#include <QStringList>
#include <algorithm>
#include <string>
#include <vector>

#include "EventPacer.h"
#include "FileDialogs.h"
#include "FileListModel.h"
#include "FolderScan.h"
#include "PathText.h"
#include "WindowPointer.h"

namespace parvane {
namespace {

// Small enough that one chunk, with the list view catching up on it, stays far below
// the event interval.
constexpr std::size_t kAppendChunk = 1000;

void AppendPaced(FileListModel& list, const std::vector<std::string>& paths, EventPacer& pacer) {
    for (std::size_t start = 0; start < paths.size() && !pacer.Stopped(); start += kAppendChunk) {
        const std::size_t end = std::min(paths.size(), start + kAppendChunk);
        QStringList chunk;
        chunk.reserve(static_cast<qsizetype>(end - start));
        for (std::size_t i = start; i < end; ++i) {
            chunk.append(PathToText(paths[i]));
        }
        list.AppendMany(chunk);
        pacer.Checkpoint();
    }
}

}  // namespace

void AddFilesCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list) {
    list.AppendMany(dialogs.OpenFiles(parent, QString::fromUtf8(kAddFilesTitle),
                                      QString::fromUtf8(kAddFilesFilter)));
}

void AddFolderCommand(QWidget* parent, FileDialogs& dialogs, FileListModel& list,
                      const AddFolderHooks& hooks) {
    const QString folder = dialogs.BrowseFolder(parent, QString::fromUtf8(kAddFolderTitle));
    if (folder.isEmpty()) return;
    const auto setPointer = [&hooks](int pointer) {
        if (hooks.setPointer) hooks.setPointer(pointer);
    };
    setPointer(kPointerBusy);
    EventPacer pacer(hooks.handleEvents, hooks.stopRequested);
    // Shows the hourglass before the first folder is read.
    pacer.HandleNow();
    std::vector<std::string> paths;
    if (!pacer.Stopped()) {
        ScanHooks scanHooks;
        scanHooks.handleEvents = hooks.handleEvents;
        scanHooks.stopRequested = hooks.stopRequested;
        paths = ScanFolderTree(TextToPath(folder), scanHooks).paths;
        // The scan's last pause may lie up to an interval back; the appending starts a
        // fresh one.
        pacer.HandleNow();
    }
    AppendPaced(list, paths, pacer);
    setPointer(kPointerDefault);
}

}  // namespace parvane
