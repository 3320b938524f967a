#include "engine/scan/FolderScan.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string_view>
#include <utility>

#include "engine/files/FolderEntries.h"
#include "engine/names/NameOrder.h"
#include "engine/names/PiecePaths.h"

namespace parvane {
namespace {

struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

class TreeWalk {
public:
    explicit TreeWalk(const std::function<bool()>& stopRequested) : stopRequested_(stopRequested) {}

    // False when the folder cannot be opened or was read before in this walk (under
    // another name, through a link). Links are followed: a link to a folder is walked like
    // the folder, a link to an MP3 file is listed like the file.
    bool Read(const std::string& folder, FolderListing& listing) {
        FolderEntries entries(folder);
        if (!entries.Opened() ||
            !seen_.emplace(entries.Identity().device, entries.Identity().inode).second) {
            return false;
        }
        // A read error part way through keeps what was read before it.
        while (const std::optional<std::string_view> name = entries.NextName()) {
            if (Stopped()) break;
            const bool maybeFolder = name->front() != '.';
            const bool maybeFile = HasMp3Extension(*name);
            if (!maybeFolder && !maybeFile) continue;
            const FileKind kind = entries.KindOfLast();
            if (kind == FileKind::Folder && maybeFolder) listing.folders.emplace_back(*name);
            if (kind == FileKind::Regular && maybeFile) listing.files.emplace_back(*name);
        }
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
    std::set<std::pair<std::uint64_t, std::uint64_t>> seen_;
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
