#include "ConsoleHost.h"

#include <utility>

#include "StopSignals.h"

namespace parvane {

ConsoleHost::ConsoleHost(std::vector<std::string> files, std::string intervalEntry,
                         std::string applicationFolder, std::ostream& out)
    : files_(std::move(files)),
      intervalEntry_(std::move(intervalEntry)),
      applicationFolder_(std::move(applicationFolder)),
      out_(out) {}

int ConsoleHost::EntryCount() const { return static_cast<int>(files_.size()); }

std::string ConsoleHost::EntryText(int position) const {
    return files_.at(static_cast<std::size_t>(position - 1));
}

std::string ConsoleHost::IntervalEntryText() const { return intervalEntry_; }

std::string ConsoleHost::ApplicationFolder() const { return applicationFolder_; }

void ConsoleHost::ShowMessage(const std::string& text) { messages_.push_back(text); }

bool ConsoleHost::StopRequested() const { return StopSignalReceived(); }

void ConsoleHost::FileStarted(int position, const std::string& sourcePath) {
    out_ << "[" << position << "/" << files_.size() << "] " << sourcePath << std::endl;
}

void ConsoleHost::PieceWritten(const std::string& piecePath) {
    out_ << "  " << piecePath << std::endl;
}

}  // namespace parvane
