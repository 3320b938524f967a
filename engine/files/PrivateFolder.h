// The hidden folder a job's splitter runs write into, one per source, beside its pieces.
// The splitter's output is found there without looking through the pieces' folder, which
// may hold any number of other files, and a folder scan never lists what is inside.
// A job holds a lock on a file in its folder for as long as the folder lives, so a job in
// any process, PID namespace or machine sharing the folder tells a live folder from one a
// killed job left behind.
#pragma once

#include <string>

namespace parvane {

// The name the splitter is told to write under; it adds an extension of its own.
inline constexpr const char* kSplitterOutputName = "piece";

class PrivateFolder {
public:
    // Makes ".parvane-<our pid>-XXXXXX" in folder and takes its lock; Error() tells why
    // when it could not. On a file system without locks the folder gets none, and no
    // job ever takes it for stale.
    explicit PrivateFolder(const std::string& folder);
    // Removes the private files one by one, then the folder; after KeepContents only the
    // lock goes, so no job takes the folder for stale and what it holds stays.
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool Made() const { return error_ == 0; }
    int Error() const { return error_; }  // errno of the failed mkdtemp or lock file
    const std::string& Path() const { return path_; }
    void KeepContents() { keepContents_ = true; }

private:
    std::string path_;
    int error_ = 0;
    int lock_ = -1;
    bool keepContents_ = false;
};

// Removes what the splitter left in a private folder; the lock stays. Never recurses.
void RemoveSplitterOutput(const std::string& privateFolder);

// Removes the private folders in folder that this program made and no job holds: a real
// folder (no link) with the exact private name, owned by the user running this, holding
// nothing but private files, whose lock can be taken. Anything else is left alone.
void RemoveStalePrivateFolders(const std::string& folder);

}  // namespace parvane
