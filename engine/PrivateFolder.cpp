#include "PrivateFolder.h"

#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <string_view>
#include <vector>

namespace parvane {

namespace {

constexpr std::string_view kPrefix = ".parvane-";

// The process id in ".parvane-<pid>-XXXXXX", 0 for any other name.
pid_t OwnerOf(std::string_view name) {
    if (name.substr(0, kPrefix.size()) != kPrefix) {
        return 0;
    }
    name.remove_prefix(kPrefix.size());
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    const bool wellFormed = error == std::errc{} && end != name.data() + name.size() &&
                            *end == '-' && name.data() + name.size() - end == 7;
    return wellFormed ? pid : 0;
}

bool ProcessExists(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

}  // namespace

PrivateFolder::PrivateFolder(const std::string& folder) {
    std::string pattern =
        (folder == "/" ? "" : folder) + "/" + std::string(kPrefix) + std::to_string(::getpid()) +
        "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        error_ = errno;
        return;
    }
    path_ = pattern;
}

PrivateFolder::~PrivateFolder() {
    if (Made()) {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
}

// Reads names only, without a look at each entry, so a folder of many files costs little.
void RemoveStalePrivateFolders(const std::string& folder) {
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) {
        return;
    }
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(listing)) {
        const pid_t owner = OwnerOf(entry->d_name);
        if (owner > 0 && !ProcessExists(owner)) {
            stale.emplace_back(entry->d_name);
        }
    }
    ::closedir(listing);
    for (const std::string& name : stale) {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(folder) / name, ignored);
    }
}

}  // namespace parvane
