// What every system's folder reading must give the folder scan: each name but "." and "..",
// what each entry is with links followed, and one identity for a folder under all its names.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "engine/files/FolderEntries.h"
#include "tests/support/TestSupport.h"

namespace parvane {
namespace {

namespace fs = std::filesystem;

TEST(FolderEntries, NamesKindsAndIdentity) {
    const testing::TempFolder folder;
    testing::WriteFile(folder / "a.mp3");
    testing::WriteFile(folder / ".hidden");
    fs::create_directory(folder / "sub");
    ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
    for (const auto& [target, link] : {std::pair{"sub", "toSub"},
                                       {"a.mp3", "toFile"},
                                       {"/nonexistent", "gone"},
                                       {"toSelf", "toSelf"}})
        fs::create_symlink(target, folder / link);
    FolderEntries entries(folder.path());
    ASSERT_TRUE(entries.Opened());
    std::map<std::string, FileKind> kinds;
    while (const std::optional<std::string_view> name = entries.NextName())
        kinds.emplace(*name, entries.KindOfLast());
    using enum FileKind;
    EXPECT_EQ(kinds, (std::map<std::string, FileKind>{{".hidden", Regular},
                                                      {"a.mp3", Regular},
                                                      {"gone", Other},
                                                      {"pipe", Other},
                                                      {"sub", Folder},
                                                      {"toFile", Regular},
                                                      {"toSelf", Other},
                                                      {"toSub", Folder}}));
    EXPECT_TRUE(FolderEntries(folder / "toSub")
                    .Identity()
                    .SameFile(FolderEntries(folder / "sub").Identity()));
    EXPECT_FALSE(entries.Identity().SameFile(FolderEntries(folder / "sub").Identity()));
    for (const char* notAFolder : {"a.mp3", "gone", "missing"})
        EXPECT_FALSE(FolderEntries(folder / notAFolder).Opened()) << notAFolder;
}

}  // namespace
}  // namespace parvane
