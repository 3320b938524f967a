#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "FolderScan.h"
#include "NameOrder.h"
#include "TempTree.h"

namespace parvane {
namespace {

using test::TempTree;
using Paths = std::vector<std::string>;

Paths Prefixed(const std::string& root, const Paths& relative) {
    Paths full;
    for (const std::string& path : relative) full.push_back(root + "/" + path);
    return full;
}

TEST(NameOrder, FoldsLettersOfCommonScriptsAndKeepsBrokenBytes) {
    EXPECT_EQ(FoldCase("ÄÖÜ ÉÇ ΣΑΣ ΆΈ ПРИВЕТ Ёж ŁÓDŹ Ÿ İ 09_~"),
              "äöü éç σασ άέ привет ёж łódź ÿ İ 09_~");
    EXPECT_EQ(FoldCase("A\xFF" "B\xC3"), "a\xFF" "b\xC3");
}

TEST(NameOrder, SortsIgnoringCaseWithAFixedOrderForCaseOnlyTwins) {
    Paths names{"b", "É", "a", "C", "B", "e"};
    SortNames(names);
    EXPECT_EQ(names, (Paths{"a", "B", "b", "C", "e", "É"}));
    Paths reversed{"e", "B", "C", "a", "É", "b"};
    SortNames(reversed);
    EXPECT_EQ(reversed, names);
}

// Three levels below the chosen folder, with everything the scan must leave out.
class ThreeLevelTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file :
             {"b.mp3", "A.MP3", "c.mp3", "~temp.mp3", ".hidden.mp3", "readme.txt",
              "song.mp3.bak", "beta/02.mp3", "beta/01.mp3", "beta/x/x.mp3", "beta/x/deep/z.mp3",
              "Alpha/a.mp3", "Alpha/one/o.mp3", "Alpha/Two/t.mp3", ".hidden/h.mp3",
              "album.mp3/inside.mp3"}) {
            tree.File(file);
        }
        tree.Folder("empty");
        ASSERT_EQ(mkfifo(tree.Path("pipe.mp3").c_str(), 0600), 0);
    }
    TempTree tree;
};

TEST_F(ThreeLevelTree, FoldersComeLevelByLevelGroupedByParent) {
    EXPECT_EQ(CollectSubFolders(tree.Root()),
              Prefixed(tree.Root(), {"", "album.mp3/", "Alpha/", "beta/", "empty/", "Alpha/one/",
                                     "Alpha/Two/", "beta/x/", "beta/x/deep/"}));
}

TEST_F(ThreeLevelTree, FilesComeInFolderOrderEachFolderSortedIgnoringCase) {
    EXPECT_EQ(ScanFolderTree(tree.Root()),
              Prefixed(tree.Root(), {".hidden.mp3", "A.MP3", "b.mp3", "c.mp3",
                                     "album.mp3/inside.mp3", "Alpha/a.mp3", "beta/01.mp3",
                                     "beta/02.mp3", "Alpha/one/o.mp3", "Alpha/Two/t.mp3",
                                     "beta/x/x.mp3", "beta/x/deep/z.mp3"}));
}

TEST_F(ThreeLevelTree, ListingOneFolderKeepsTildeNamesAndSkipsFoldersAndPipes) {
    EXPECT_EQ(ListFolderFiles(tree.Root()),
              (Paths{".hidden.mp3", "A.MP3", "b.mp3", "c.mp3", "~temp.mp3"}));
    EXPECT_EQ(ListFolderFiles(tree.Path("empty")), Paths{});
}

TEST_F(ThreeLevelTree, ATrailingSeparatorIsNotDoubled) {
    const Paths found = ScanFolderTree(tree.Root() + "/");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), tree.Root() + "/.hidden.mp3");
    EXPECT_EQ(CollectSubFolders(tree.Root() + "/").front(), tree.Root() + "/");
    EXPECT_TRUE(ScanFolderTree("").empty());
}

TEST_F(ThreeLevelTree, HandlesEventsAtEveryFolderWhenAskedToAndStopsWhenTold) {
    int calls = 0;
    ScanHooks hooks;
    hooks.eventInterval = std::chrono::milliseconds(0);
    hooks.handleEvents = [&] { ++calls; };
    hooks.stopRequested = [&] { return calls >= 2; };
    // The second pause comes after the chosen folder itself has been read.
    EXPECT_EQ(ScanFolderTree(tree.Root(), hooks),
              Prefixed(tree.Root(), {".hidden.mp3", "A.MP3", "b.mp3", "c.mp3"}));
    EXPECT_EQ(calls, 2);

    calls = 0;
    hooks.stopRequested = {};
    ScanFolderTree(tree.Root(), hooks);
    EXPECT_GE(calls, 9);
}

TEST(FolderScan, LinksAreFollowedButEveryRealFolderIsReadOnce) {
    TempTree tree;
    tree.File("a/f.mp3");
    tree.File("b/g.mp3");
    tree.Link("..", "a/loop");
    tree.Link(".", "a/self");
    tree.Link("../b/g.mp3", "a/linked.mp3");
    tree.Link("b", "0b");
    tree.Link("/nonexistent/folder", "gone");
    tree.Link("/nonexistent.mp3", "gone.mp3");
    EXPECT_EQ(CollectSubFolders(tree.Root()), Prefixed(tree.Root(), {"", "0b/", "a/"}));
    EXPECT_EQ(ScanFolderTree(tree.Root()),
              Prefixed(tree.Root(), {"0b/g.mp3", "a/f.mp3", "a/linked.mp3"}));
}

TEST(FolderScan, AFolderRemovedMidScanIsPassedOver) {
    TempTree tree;
    tree.File("a/1.mp3");
    tree.File("b/2.mp3");
    tree.File("c/3.mp3");
    int calls = 0;
    ScanHooks hooks;
    hooks.eventInterval = std::chrono::milliseconds(0);
    hooks.handleEvents = [&] {
        // By the second pause the chosen folder has been read and b is waiting its turn.
        if (++calls == 2) std::filesystem::remove_all(tree.Path("b"));
    };
    EXPECT_EQ(ScanFolderTree(tree.Root(), hooks), Prefixed(tree.Root(), {"a/1.mp3", "c/3.mp3"}));
}

TEST(FolderScan, AFolderWithoutPermissionIsPassedOver) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    TempTree tree;
    tree.File("locked/x.mp3");
    tree.File("open/y.mp3");
    std::filesystem::permissions(tree.Path("locked"), std::filesystem::perms::none);
    const Paths found = ScanFolderTree(tree.Root());
    std::filesystem::permissions(tree.Path("locked"), std::filesystem::perms::owner_all);
    EXPECT_EQ(found, Prefixed(tree.Root(), {"open/y.mp3"}));
}

TEST(FolderScan, AHundredAndOneFilesOfOneFolderAllArriveInOrder) {
    TempTree tree;
    Paths expected;
    for (int i = 1; i <= 101; ++i) {
        const std::string name = "track " + std::to_string(i) + ".mp3";
        tree.File("big/" + name);
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListFolderFiles(tree.Path("big")), expected);
    EXPECT_EQ(ScanFolderTree(tree.Root()).size(), 101u);
}

}  // namespace
}  // namespace parvane
