// A real folder tree under the temporary folder for the scan tests, removed again when
// the test ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace parvane::test {

class TempTree {
public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "parvane-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    // Creates the folders on the way as well.
    void File(const std::string& relative) const {
        const std::filesystem::path path = Path(relative);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
    }
    void Folder(const std::string& relative) const {
        std::filesystem::create_directories(Path(relative));
    }
    void Link(const std::string& target, const std::string& relative) const {
        std::filesystem::create_symlink(target, Path(relative));
    }

private:
    std::string root_;
};

}  // namespace parvane::test
