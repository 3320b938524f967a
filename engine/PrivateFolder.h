// The hidden folder a job's splitter runs write into, one per source, beside its pieces.
// The splitter's output is found there without looking through the pieces' folder, which
// may hold any number of other files, and a folder scan never lists what is inside.
#pragma once

#include <string>

namespace parvane {

class PrivateFolder {
public:
    // Makes ".parvane-<our pid>-XXXXXX" in folder; Error() tells why when it could not.
    explicit PrivateFolder(const std::string& folder);
    // Removes the folder with whatever is left in it.
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool Made() const { return error_ == 0; }
    int Error() const { return error_; }  // errno of the failed mkdtemp
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    int error_ = 0;
};

// Removes the private folders in folder whose job's process no longer exists (a job that
// was killed outright could not remove its own).
void RemoveStalePrivateFolders(const std::string& folder);

}  // namespace parvane
