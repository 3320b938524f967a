// The Windows code of the platform points, run under wine or on Windows: names in any script
// through the wide calls, a move that never replaces, identities from handles, the locks
// jobs share, the private folder, and children started, awaited and stopped in a job object.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <tuple>
#include <vector>

#include "engine/files/FilePlacement.h"
#include "engine/files/FileReading.h"
#include "engine/files/FolderEntries.h"
#include "engine/files/PrivateFolder.h"
#include "engine/files/SourceLock.h"
#include "engine/names/PathText.h"
#include "engine/process/ProcessRunner.h"
#include "engine/process/ProgramFolders.h"
#include "engine/process/ProgramNames.h"
#include "engine/process/StopNotice.h"
#include "tests/support/RequestStopWhen.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

using testing::TempFolder;

// Ü, Cyrillic and a CJK character: outside any one narrow code page.
const std::string kScriptName =
    "\xc3\x9cn\xc3\xaf \xd1\x82\xd0\xb5\xd1\x81\xd1\x82 \xe9\x9f\xb3.mp3";

std::string Folder(const TempFolder& folder) {
    return Utf8FromPath(folder.path());
}

void Write(const std::string& path, const std::string& content) {
    testing::WriteFile(PathFromUtf8(path), content);
}

TEST(WindowsFiles, NamesInAnyScriptAreFoundListedAndRead) {
    const TempFolder folder;
    const std::string path = Folder(folder) + "/" + kScriptName;
    Write(path, "0123456789");
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(RegularFileSize(path), 10);

    FolderEntries entries(Folder(folder));
    ASSERT_TRUE(entries.Opened());
    const std::optional<std::string_view> name = entries.NextName();
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, kScriptName);
    EXPECT_EQ(entries.KindOfLast(), FileKind::Regular);
    EXPECT_FALSE(entries.NextName());

    const OpenedFile opened = OpenForReading(path);
    ASSERT_EQ(opened.error, 0);
    EXPECT_EQ(FileSizeOf(opened.file.get()), 10);
    char bytes[4] = {};
    EXPECT_EQ(ReadAt(opened.file.get(), bytes, 4, 6), 4);
    EXPECT_EQ(std::string(bytes, 4), "6789");
    EXPECT_EQ(ReadAt(opened.file.get(), bytes, 4, 10), 0);
}

// The C library gives every file the number 0 under wine; the handle tells them apart.
TEST(WindowsFiles, IdentityTellsFilesApartAndKnowsOneUnderTwoNames) {
    const TempFolder folder;
    const std::string first = Folder(folder) + "/first";
    const std::string second = Folder(folder) + "/second";
    Write(first, "a");
    Write(second, "a");
    const std::optional<FileIdentity> one = IdentityOf(first);
    ASSERT_TRUE(one);
    EXPECT_FALSE(one->SameFile(*IdentityOf(second)));
    EXPECT_TRUE(one->SameFile(*IdentityOf(Folder(folder) + "/./first")));
    EXPECT_TRUE(IsOneOf(first, {*IdentityOf(second), *one}));
    EXPECT_EQ(StatusOfName(Folder(folder)).kind, FileKind::Folder);
    EXPECT_EQ(StatusOfName(Folder(folder) + "/none").error, ENOENT);
    EXPECT_FALSE(IdentityOf(Folder(folder) + "/none"));
}

TEST(WindowsFiles, APieceIsMovedToAFreeNameOnlyAndOverTheExpectedFileOnly) {
    const TempFolder folder;
    const std::string made = Folder(folder) + "/made";
    const std::string taken = Folder(folder) + "/taken";
    Write(made, "piece");
    Write(taken, "user's");
    EXPECT_EQ(MoveToFreeName(made, taken), EEXIST);
    EXPECT_EQ(testing::ReadFile(PathFromUtf8(taken)), "user's");

    const std::optional<FileIdentity> expected = IdentityOf(taken);
    Write(taken, "user's, rewritten");
    EXPECT_EQ(MoveOver(made, taken, *expected), EEXIST);
    EXPECT_EQ(MoveOver(made, taken, *IdentityOf(taken)), 0);
    EXPECT_EQ(testing::ReadFile(PathFromUtf8(taken)), "piece");

    Write(made, "next");
    EXPECT_EQ(MoveToFreeName(made, Folder(folder) + "/" + kScriptName), 0);
    EXPECT_FALSE(FileExists(made));
}

// The lock lies past the file's end, so the splitter still reads every byte of a held source.
TEST(WindowsLocks, ASourceIsHeldByOneJobAndStaysReadable) {
    const TempFolder folder;
    const std::string source = Folder(folder) + "/" + kScriptName;
    Write(source, "audio");
    const SourceLock first(source);
    EXPECT_FALSE(first.HeldByAnotherJob());
    EXPECT_TRUE(SourceLock(source).HeldByAnotherJob());
    EXPECT_EQ(testing::ReadFile(PathFromUtf8(source)), "audio");
}

TEST(WindowsLocks, APrivateFolderLivesWhileHeldAndGoesWhenLeftBehind) {
    const TempFolder folder;
    std::string livePath;
    {
        PrivateFolder live(Folder(folder));
        ASSERT_TRUE(live.Made()) << live.Error();
        livePath = live.Path();
        Write(livePath + "/piece.mp3", "x");
        RemoveStalePrivateFolders(Folder(folder));
        EXPECT_TRUE(FileExists(livePath + "/piece.mp3"));
        EXPECT_TRUE(FileExists(livePath + "/lock"));
    }
    EXPECT_FALSE(FileExists(livePath));

    // What a killed job leaves: its files and a lock no one holds.
    const std::string left = Folder(folder) + "/.parvane-4242-AbCd12";
    Write(left + "/lock", "");
    Write(left + "/piece.mp3", "x");
    const std::string foreign = Folder(folder) + "/.parvane-4242-Keep00";
    Write(foreign + "/notes.txt", "x");
    RemoveStalePrivateFolders(Folder(folder));
    EXPECT_FALSE(FileExists(left));
    EXPECT_TRUE(FileExists(foreign + "/notes.txt"));
}

TEST(WindowsNames, ProgramsAndFoldersAreNamedTheWindowsWay) {
    EXPECT_EQ(ProgramFileName("mp3splt"), "mp3splt.exe");
    EXPECT_EQ(SearchPathSeparator(), ';');
    const std::vector<std::tuple<const char*, bool>> rows = {
        {"C:/music", true},       {"c:\\music", true},
        {"//server/share", true}, {"\\\\server\\share", true},
        {"/music", false},        {"C:music", false},
        {"music", false},
    };
    for (const auto& [folder, absolute] : rows) {
        EXPECT_EQ(IsAbsoluteFolder(folder), absolute) << folder;
    }
    int error = -1;
    const std::string current = CurrentFolderPath(error);
    EXPECT_EQ(error, 0);
    EXPECT_TRUE(IsAbsoluteFolder(current)) << current;
    EXPECT_EQ(current.find('\\'), std::string::npos) << current;
}

std::string StandIn() {
    return ExecutableFolder() + "/child-stand-in.exe";
}

// Each argument reaches the child as it was, whatever blanks, quotes and backslashes it
// holds; the child's error output comes back.
TEST(WindowsChildren, ArgumentsArriveUnchanged) {
    const std::vector<std::string> arguments = {
        "plain", "two words", "", "say \"hi\"", "C:\\folder\\", "a\\\\\"b", kScriptName};
    std::vector<std::string> argv = {StandIn(), "echo"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const RunResult run = RunAndWait(argv, {});
    std::string expected;
    for (const std::string& argument : arguments) expected += argument + "\n";
    EXPECT_TRUE(run.Succeeded());
    EXPECT_EQ(run.errorTail, expected);
}

// The wait sleeps on the child and the notice together: a request from another thread ends
// it, one made before it began ends it at once, and one taken back leaves the child be.
TEST(WindowsChildren, TheStopNoticeEndsTheChildAndEverythingInItsJob) {
    StopNotice notice;
    WaitHooks hooks;
    hooks.stop = &notice;
    const auto start = std::chrono::steady_clock::now();
    {
        const testing::RequestStopWhen request(notice,
                                               testing::After(std::chrono::milliseconds(200)));
        EXPECT_EQ(RunAndWait({StandIn(), "hang"}, hooks).ending, RunResult::Ending::StoppedByUs);
    }
    EXPECT_EQ(RunAndWait({StandIn(), "hang"}, hooks).ending, RunResult::Ending::StoppedByUs);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    notice.Reset();
    const RunResult run = RunAndWait({StandIn(), "exit", "7"}, hooks);
    EXPECT_EQ(run.ending, RunResult::Ending::Exited);
    EXPECT_EQ(run.code, 7);
}

TEST(WindowsChildren, AMissingProgramCannotStart) {
    const RunResult run = RunAndWait({ExecutableFolder() + "/none.exe"}, {});
    EXPECT_EQ(run.ending, RunResult::Ending::CouldNotStart);
    EXPECT_EQ(run.code, ENOENT);
}

}  // namespace
}  // namespace parvane
