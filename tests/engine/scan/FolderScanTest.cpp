// The folder scan on real trees: order, what it leaves out, links, unreadable folders,
// and a stop or a change part way through.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "engine/names/NameOrder.h"
#include "engine/scan/FolderScan.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using testing::WriteFile;
using Paths = std::vector<std::string>;

Paths Under(const TempFolder& tree, const Paths& relative) {
    Paths full;
    for (const std::string& path : relative) full.push_back(tree / path);
    return full;
}

// Digit runs count as numbers, as in file managers.
TEST(NameOrder, FoldsCommonScriptsCountsNumbersAndGivesTwinsAFixedOrder) {
    EXPECT_EQ(FoldCase("ÄÖÜ ÉÇ ΣΑΣ ΆΈ ПРИВЕТ Ёж ŁÓDŹ Ÿ İ 09_~"),
              "äöü éç σασ άέ привет ёж łódź ÿ İ 09_~");
    Paths names{"b",     "É", "track10", "a",  "10.mp3", "C",  "track2", "B",
                "9.mp3", "e", "track02", "2b", "2a1",    "2A", "20"};
    Paths reversed(names.rbegin(), names.rend());
    SortNames(names);
    SortNames(reversed);
    EXPECT_EQ(names, (Paths{"2A", "2a1", "2b", "9.mp3", "10.mp3", "20", "a", "B", "b", "C", "e",
                            "track02", "track2", "track10", "É"}));
    EXPECT_EQ(reversed, names);
}

// Three levels below the chosen folder, with everything the scan must leave out. A
// trailing "/" on the chosen folder is not doubled.
TEST(FolderScan, FoldersLevelByLevelAndTheirFilesInNameOrder) {
    const TempFolder tree;
    for (const char* file :
         {"b.mp3", "A.MP3", "c.mp3", "~temp.mp3", ".hidden.mp3", "readme.txt", "song.mp3.bak",
          "beta/02.mp3", "beta/01.mp3", "beta/x/x.mp3", "beta/x/deep/z.mp3", "Alpha/a.mp3",
          "Alpha/one/o.mp3", "Alpha/Two/t.mp3", ".hidden/h.mp3", "album.mp3/inside.mp3"})
        WriteFile(tree / file);
    ASSERT_EQ(mkfifo((tree / "pipe.mp3").c_str(), 0600), 0);
    EXPECT_EQ(ScanFolderTree(tree / "").paths,
              Under(tree, {".hidden.mp3", "A.MP3", "b.mp3", "c.mp3", "album.mp3/inside.mp3",
                           "Alpha/a.mp3", "beta/01.mp3", "beta/02.mp3", "Alpha/one/o.mp3",
                           "Alpha/Two/t.mp3", "beta/x/x.mp3", "beta/x/deep/z.mp3"}));
    EXPECT_TRUE(ScanFolderTree("").paths.empty());
}

TEST(FolderScan, LinksAreFollowedButEveryRealFolderIsReadOnce) {
    const TempFolder tree;
    WriteFile(tree / "a/f.mp3");
    WriteFile(tree / "b/g.mp3");
    for (const auto& [target, link] : {std::pair{"..", "a/loop"},
                                       {".", "a/self"},
                                       {"../b/g.mp3", "a/linked.mp3"},
                                       {"b", "0b"},
                                       {"/nonexistent/folder", "gone"},
                                       {"/nonexistent.mp3", "gone.mp3"}})
        fs::create_symlink(target, tree / link);
    EXPECT_EQ(ScanFolderTree(tree.path()).paths,
              Under(tree, {"0b/g.mp3", "a/f.mp3", "a/linked.mp3"}));
}

// Folders b and c wait their turn while the chosen folder is read; a folder removed or
// locked meanwhile is passed over.
TEST(FolderScan, FoldersGoneOrLockedArePassedOver) {
    const TempFolder tree;
    for (const char* file : {"a/1.mp3", "b/2.mp3", "c/3.mp3"}) WriteFile(tree / file);
    int calls = 0;
    // Removes b at the second look for a stop, and never stops.
    const auto removeB = [&] { return ++calls == 2 && fs::remove_all(tree / "b") == 0; };
    EXPECT_EQ(ScanFolderTree(tree.path(), removeB).paths, Under(tree, {"a/1.mp3", "c/3.mp3"}));
    const auto lockedIsPassedOver = [&] {
        fs::permissions(tree / "c", fs::perms::none);
        const bool passedOver = ScanFolderTree(tree.path()).paths == Under(tree, {"a/1.mp3"});
        fs::permissions(tree / "c", fs::perms::owner_all);
        return passedOver;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(lockedIsPassedOver());
        return;
    }
    // Permissions do not bind root: the tree is given to nobody (65534), who looks in a child.
    const uid_t nobody = 65534;
    ASSERT_EQ(testing::RunTool({"chown", "-R", "65534:65534", tree.path()}).exitCode, 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 &&
                             ::setuid(nobody) == 0 && ::access(tree.path().c_str(), R_OK) == 0;
        ::_exit(!dropped ? 2 : lockedIsPassedOver() ? 0 : 1);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0)
        << "1: the locked folder was not passed over; 2: nobody cannot reach the tree";
}

// This program's own pieces (name-NNNN.ext beside name.ext, as pieces are named) are left
// out and counted, so a split never cuts pieces into pieces; look-alikes stay.
TEST(FolderScan, PiecesBesideTheirSourceAreLeftOut) {
    const TempFolder tree;
    const Paths kept = {"a-b.mp3",    "b-0x01.mp3", "B-0001.mp3", "b-001.mp3", "b.mp3",
                        "U-0001.mp3", "u.MP3",      "x-0001.MP3", "x.mp3",     "sub/b-0001.mp3"};
    const Paths left = {"a-b-0001.mp3", "a-b-0001-0002.mp3", "b-0001.mp3",
                        "b-12345.mp3",  "u-0007.MP3",        "x-0002.mp3"};
    for (const Paths& names : {kept, left}) {
        for (const std::string& name : names) WriteFile(tree / name);
    }
    const FolderScanResult found = ScanFolderTree(tree.path());
    EXPECT_EQ(found.paths, Under(tree, kept));
    EXPECT_EQ(found.piecesLeftOut, left.size());
}

// A stop asked while a folder of many entries is being read ends the scan there, with
// nothing found: a stop is looked for within a folder, not only between folders.
TEST(FolderScan, AStopAmongManyEntries) {
    const TempFolder tree;
    for (int i = 1; i <= 300; ++i) WriteFile(tree / ("big/" + std::to_string(i) + ".mp3"));
    int calls = 0;
    EXPECT_TRUE(ScanFolderTree(tree.path(), [&] { return ++calls >= 10; }).paths.empty());
    EXPECT_EQ(calls, 10);
}

}  // namespace
}  // namespace parvane
