#include "ConsoleHost.h"

#include <utility>

#include "EscapedName.h"
#include "StopSignals.h"

namespace parvane {

ConsoleHost::ConsoleHost(std::vector<std::string> files, int intervalSeconds,
                         std::string applicationFolder, std::ostream& out, int outFd)
    : files_(std::move(files)),
      intervalSeconds_(intervalSeconds),
      applicationFolder_(std::move(applicationFolder)),
      out_(out),
      outFd_(outFd) {}

int ConsoleHost::EntryCount() const { return static_cast<int>(files_.size()); }

std::string ConsoleHost::EntryPath(int position) const {
    return files_.at(static_cast<std::size_t>(position - 1));
}

bool ConsoleHost::StopRequested() const {
    outputLost_ = outputLost_ || OutputClosed(outFd_);
    return StopSignalReceived() || outputLost_;
}

void ConsoleHost::FileStarted(int position, int entryCount, const std::string& sourcePath) {
    out_ << "[" << position << "/" << entryCount << "] " << EscapedName(sourcePath) << std::endl;
    outputLost_ = outputLost_ || !out_;
}

void ConsoleHost::PieceWritten(std::int64_t, const std::string& piecePath) {
    out_ << "  " << EscapedName(piecePath) << std::endl;
    outputLost_ = outputLost_ || !out_;
}

}  // namespace parvane
