// One job per source at a time, whether in this process, the other front end or another
// user's: a job holds a lock on the source while it writes the source's pieces, so two jobs
// never mix one series. The lock is the source's own (flock on a read-only descriptor), so
// it needs no write access and vanishes with the job however it ends.
#pragma once

#include <optional>
#include <string>

#include "engine/files/FilePlacement.h"

namespace parvane {

class SourceLock {
public:
    // Takes the lock without waiting. A source that cannot be opened, is no regular file, or
    // lies on a file system without locks gets none and is not held elsewhere either.
    explicit SourceLock(const std::string& sourcePath);
    ~SourceLock();
    SourceLock(const SourceLock&) = delete;
    SourceLock& operator=(const SourceLock&) = delete;

    bool HeldByAnotherJob() const { return heldElsewhere_; }
    // Who may read the source, as it was when the lock was taken.
    const std::optional<FileAccess>& Access() const { return access_; }

private:
    int fd_ = -1;
    bool heldElsewhere_ = false;
    std::optional<FileAccess> access_;
};

}  // namespace parvane
