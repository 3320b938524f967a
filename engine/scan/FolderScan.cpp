#include "engine/scan/FolderScan.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "engine/names/NameOrder.h"
#include "engine/names/PiecePaths.h"

namespace parvane {
namespace {

struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

enum class EntryKind { kOther, kFolder, kFile };

// Links are followed: a link to a folder is walked like the folder, a link to an MP3 file
// is listed like the file.
EntryKind KindOf(int folderFd, const dirent& entry) {
    switch (entry.d_type) {
        case DT_DIR:
            return EntryKind::kFolder;
        case DT_REG:
            return EntryKind::kFile;
        case DT_LNK:
        case DT_UNKNOWN:
            break;
        default:
            return EntryKind::kOther;
    }
    struct stat target {};
    if (fstatat(folderFd, entry.d_name, &target, 0) != 0) return EntryKind::kOther;
    if (S_ISDIR(target.st_mode)) return EntryKind::kFolder;
    if (S_ISREG(target.st_mode)) return EntryKind::kFile;
    return EntryKind::kOther;
}

class TreeWalk {
public:
    explicit TreeWalk(const std::function<bool()>& stopRequested) : stopRequested_(stopRequested) {}

    // False when the folder cannot be opened or was read before in this walk (under
    // another name, through a link).
    bool Read(const std::string& folder, FolderListing& listing) {
        const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat self {};
        if (fstat(fd, &self) != 0 || !seen_.emplace(self.st_dev, self.st_ino).second) {
            close(fd);
            return false;
        }
        DIR* dir = fdopendir(fd);
        if (dir == nullptr) {
            close(fd);
            return false;
        }
        // A read error part way through keeps what was read before it.
        while (const dirent* entry = readdir(dir)) {
            if (Stopped()) break;
            const std::string_view name = entry->d_name;
            const bool maybeFolder = name.front() != '.';
            const bool maybeFile = HasMp3Extension(name);
            if (!maybeFolder && !maybeFile) continue;
            const EntryKind kind = KindOf(fd, *entry);
            if (kind == EntryKind::kFolder && maybeFolder) listing.folders.emplace_back(name);
            if (kind == EntryKind::kFile && maybeFile) listing.files.emplace_back(name);
        }
        closedir(dir);
        SortNames(listing.folders);
        SortNames(listing.files);
        return true;
    }

    // Calls visit(folder, listing) for every readable folder of the tree, breadth first.
    template <typename Visit>
    void Walk(const std::string& root, Visit visit) {
        if (root.empty()) return;
        std::deque<std::string> pending{root.back() == '/' ? root : root + '/'};
        while (!pending.empty()) {
            if (Stopped()) return;
            const std::string folder = std::move(pending.front());
            pending.pop_front();
            FolderListing listing;
            if (!Read(folder, listing) || Stopped()) continue;
            for (const std::string& sub : listing.folders) pending.push_back(folder + sub + '/');
            visit(folder, listing);
        }
    }

private:
    // Once asked for, a stop stays.
    bool Stopped() {
        stopped_ = stopped_ || (stopRequested_ && stopRequested_());
        return stopped_;
    }

    const std::function<bool()>& stopRequested_;
    bool stopped_ = false;
    std::set<std::pair<dev_t, ino_t>> seen_;
};

}  // namespace

FolderScanResult ScanFolderTree(const std::string& root,
                                const std::function<bool()>& stopRequested) {
    FolderScanResult found;
    TreeWalk(stopRequested)
        .Walk(root, [&](const std::string& folder, const FolderListing& listing) {
            const std::set<std::string> here(listing.files.begin(), listing.files.end());
            for (const std::string& name : listing.files) {
                if (name.front() == '~') continue;
                const std::optional<std::string> source = SourceNameOfPiece(name);
                if (source && here.count(*source) > 0) {
                    ++found.piecesLeftOut;
                    continue;
                }
                found.paths.push_back(folder + name);
            }
        });
    return found;
}

}  // namespace parvane
