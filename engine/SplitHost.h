// What the split job needs of the window (or console) that runs it.
#pragma once

#include <string>

#include "WindowPointer.h"

namespace parvane {

class SplitHost {
public:
    virtual ~SplitHost() = default;

    virtual int EntryCount() const = 0;
    virtual std::string EntryText(int position) const = 0;  // 1-based
    virtual std::string IntervalEntryText() const = 0;      // " Split Every m:ss"
    virtual std::string ApplicationFolder() const = 0;      // where the program lies, no trailing "/"

    virtual void SetProgress(float percent) = 0;
    virtual void SetWindowPointer(int pointer) = 0;
    virtual void ShowMessage(const std::string& text) = 0;  // modal, OK only

    // Runs the window's pending events; called while the splitter works.
    virtual void HandlePendingEvents() = 0;
    // True once the window is closing: the job stops the running splitter and ends.
    virtual bool StopRequested() const = 0;

    // Progress reports for front ends that print them; the window ignores them.
    virtual void FileStarted(int /*position*/, const std::string& /*sourcePath*/) {}
    virtual void PieceWritten(const std::string& /*piecePath*/) {}
};

}  // namespace parvane
