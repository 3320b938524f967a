#include "cli/ConsoleHost.h"

#include <cerrno>
#include <utility>

#include "cli/EscapedName.h"
#include "engine/names/NumberText.h"
#include "engine/process/BrokenPipes.h"

namespace parvane {

ConsoleHost::ConsoleHost(std::vector<std::string> files, int intervalSeconds,
                         std::string applicationFolder, std::ostream& out, int outFd,
                         const StopNotice& stop)
    : files_(std::move(files)),
      intervalSeconds_(intervalSeconds),
      applicationFolder_(std::move(applicationFolder)),
      out_(out),
      outFd_(outFd),
      stop_(stop) {}

int ConsoleHost::EntryCount() const {
    return static_cast<int>(files_.size());
}

std::string ConsoleHost::EntryPath(int index) const {
    return files_.at(static_cast<std::size_t>(index));
}

bool ConsoleHost::StopRequested() const {
    return stop_.Requested() || OutputLost() || writeError_ != 0;
}

// A pipe's reader, once gone, stays gone: asked again after a stop, the answer still holds,
// however the job noticed (a failed write, a look, or the splitter wait woken).
bool ConsoleHost::OutputLost() const {
    return outputLost_ || OutputClosed(outFd_);
}

// The stream keeps no reason; the one of the write that just failed is still in errno.
void ConsoleHost::NoteFailedWrite() {
    const int error = errno;
    if (error == EPIPE || OutputClosed(outFd_)) {
        outputLost_ = true;
    } else if (writeError_ == 0) {
        writeError_ = error != 0 ? error : EIO;
    }
}

void ConsoleHost::FileStarted(int position, int entryCount, const std::string& sourcePath) {
    out_ << "[" + NumberText(position) + "/" + NumberText(entryCount) + "] " +
                EscapedName(sourcePath)
         << std::endl;
    if (!out_) {
        NoteFailedWrite();
    }
}

void ConsoleHost::PieceWritten(std::int64_t, const std::string& piecePath) {
    out_ << "  " << EscapedName(piecePath) << std::endl;
    if (!out_) {
        NoteFailedWrite();
    }
}

}  // namespace parvane
