// The split job's view of the main window: the file list's entries, the chooser's text,
// the progress bar, the window's pointer and message boxes, and the window's events.
#pragma once

#include "SplitHost.h"

namespace parvane {

class Form1;

class WindowSplitHost final : public SplitHost {
public:
    explicit WindowSplitHost(Form1& form) : form_(form) {}

    int EntryCount() const override;
    std::string EntryText(int position) const override;
    std::string IntervalEntryText() const override;
    std::string ApplicationFolder() const override;

    void SetProgress(float percent) override;
    void SetWindowPointer(int pointer) override;
    void ShowMessage(const std::string& text) override;

    void HandlePendingEvents() override;
    bool StopRequested() const override;

private:
    Form1& form_;
};

}  // namespace parvane
