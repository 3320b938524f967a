// Nothing of the user's is ever replaced or removed: a piece goes in place only over an
// earlier piece, still as it was, and clean-up takes only private folders nobody holds.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "engine/files/FilePlacement.h"
#include "engine/files/PrivateFolder.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;
using Paths = std::vector<std::string>;

// Every way: the system's own single steps, the fallbacks every system has, and the move
// over a file where the system has no swap, which falls back to the checked one.
TEST(FilePlacement, OnlyTheFileLookedAtIsEverReplaced) {
    using ToFree = int (*)(const std::string&, const std::string&);
    using Over = int (*)(const std::string&, const std::string&, const FileIdentity&);
    const Over oneStepOver = [](const std::string& from, const std::string& to,
                                const FileIdentity& expected) {
        return MoveOver(from, to, expected);
    };
    const Over overWithoutSwap = [](const std::string& from, const std::string& to,
                                    const FileIdentity& expected) {
        return MoveOver(from, to, expected,
                        [](const std::string&, const std::string&) { return ENOSYS; });
    };
    for (const auto& [way, toFree, over] :
         {std::tuple<const char*, ToFree, Over>{"one step", MoveToFreeName, oneStepOver},
          {"checked", MoveToFreeNameByLink, MoveOverChecked},
          {"no swap", MoveToFreeName, overWithoutSwap}}) {
        SCOPED_TRACE(way);
        const TempFolder folder;
        const std::string made = folder / "piece.mp3", target = folder / "a-0001.mp3";
        const auto refused = [&](int result, const std::string& content) {
            return result == EEXIST && ReadFile(target) == content && ReadFile(made) == "new";
        };
        WriteFile(made, "old");
        EXPECT_EQ(toFree(made, target), 0);
        WriteFile(made, "new");
        EXPECT_TRUE(refused(toFree(made, target), "old"));
        const FileIdentity looked = IdentityOf(target).value();
        WriteFile(folder / "saved", "the user's");
        fs::rename(folder / "saved", target);  // saved anew: another file under the name
        EXPECT_TRUE(refused(over(made, target, looked), "the user's"));
        const FileIdentity resaved = IdentityOf(target).value();
        WriteFile(target, "the user's, rewritten");
        EXPECT_TRUE(refused(over(made, target, resaved), "the user's, rewritten"));
        EXPECT_EQ(over(made, target, IdentityOf(target).value()), 0);
        EXPECT_EQ(ReadFile(target), "new");
        EXPECT_EQ(testing::FolderNames(folder.path()), std::set<std::string>{"a-0001.mp3"});
    }
}

// What lies in a folder when a job starts there, and whether its clean-up may take it:
// only a real folder of ours with the exact name, holding nothing but private files and a
// lock that no job holds. A live job's own folder stays until the job ends.
TEST(PrivateFolders, OnlyOursThatNobodyHoldsAreRemoved) {
    const TempFolder folder, elsewhere;
    const std::vector<std::tuple<std::string, Paths, bool>> rows = {
        {".parvane-99999-AbCd12", {"lock", "piece.mp3"}, true},
        {".parvane-4-xYz789", {"lock"}, true},
        {".parvane-2024-photos", {"img1.jpg"}, false},
        {".parvane-99999-Held00", {"lock", "piece.mp3"}, false},
        {".parvane-99999-Theirs", {"lock"}, ::geteuid() != 0},  // only root can give it away
        {".parvane-99999-NoLock", {"piece.mp3"}, false},
        {".parvane-99999-Extra0", {"lock", "piece.mp3", "notes.txt"}, false},
        {".parvane-99999-Inner0", {"lock", "piece.mp3/x"}, false},
        {".parvane-99999-AbCde", {"lock"}, false},
        {".parvane-9a-AbCdEf", {"lock"}, false},
    };
    for (const auto& [name, files, removed] : rows) {
        for (const std::string& file : files) WriteFile(folder.path() / name / file);
    }
    const int held = ::open((folder / ".parvane-99999-Held00/lock").c_str(), O_RDONLY | O_CLOEXEC);
    ::flock(held, LOCK_EX);
    [[maybe_unused]] const int given = ::chown((folder / ".parvane-99999-Theirs").c_str(), 1, 1);
    WriteFile(folder / ".parvane-77777-filexx");
    WriteFile(elsewhere / "lock");
    fs::create_directory_symlink(elsewhere.path(), folder.path() / ".parvane-99999-Link00");
    std::string live;
    {
        const PrivateFolder job(folder.path());
        live = job.Path();
        RemoveStalePrivateFolders(folder.path());
        EXPECT_TRUE(fs::exists(live));
        WriteFile(live + "/piece.mp3");
    }
    ::close(held);
    EXPECT_FALSE(fs::exists(live));
    for (const auto& [name, files, removed] : rows) {
        for (const std::string& file : files)
            EXPECT_EQ(fs::exists(folder.path() / name / file), !removed) << name << "/" << file;
        EXPECT_EQ(fs::exists(folder / name), !removed) << name;
    }
    EXPECT_TRUE(fs::exists(folder / ".parvane-77777-filexx") && fs::exists(elsewhere / "lock"));
}

}  // namespace
}  // namespace parvane
