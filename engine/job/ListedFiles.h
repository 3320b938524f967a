// The files of a job's list, which no piece may ever replace. They are known by their
// paths and by the files those paths named when the job began, so neither a second name
// (a link, another spelling) nor a file saved anew under the same name lets a piece in.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/files/FileProbes.h"

namespace parvane {

class ListedFiles {
public:
    ListedFiles() = default;
    explicit ListedFiles(const std::vector<std::string>& paths);

    // True when path is a listed path, names a listed file, or lies in the folder of a
    // listed path under its name. Asked just before a piece is put at path.
    bool Holds(const std::string& path) const;

private:
    std::set<std::string> paths_;  // as typed, without "." and doubled "/"
    std::vector<FileIdentity> files_;
    std::set<std::tuple<std::uint64_t, std::uint64_t, std::string>> namesInFolders_;
};

}  // namespace parvane
