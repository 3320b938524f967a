// Helpers the tests share: scratch folders, running tools, a stand-in splitter, making
// and measuring audio.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace parvane::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Creates the folders on the way as well.
void WriteFile(const std::filesystem::path& path, const std::string& content = "x",
               bool executable = false);
std::string ReadFile(const std::filesystem::path& path);
std::set<std::string> FolderNames(const std::filesystem::path& folder);

struct ToolRun {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;
    std::string err;
};

// Runs a program found on PATH with an argument vector and collects what it prints.
// Another folder or environment: put "env", "-C", DIR, "NAME=VALUE" in front.
ToolRun RunTool(const std::vector<std::string>& argv);

// A stand-in for mp3splt, a small script in a scratch application folder. It reads
// SRC START END -o NAME -d DIR like the real one and writes DIR/NAME.mp3 for every start
// below a playing time, nothing past it, and says why on its standard error as mp3splt does.
class FakeSplitter {
public:
    FakeSplitter();
    // Pieces get pieceSize bytes unless their number has a size of its own; a size of -1
    // makes the run fail part-way, as on a full disk: a part written, exit status 1. A hanging
    // splitter writes its piece and then never ends on its own. An action is shell code
    // run before a piece is written ("$source" and "$0", the splitter, may be used).
    void Configure(int durationSeconds, std::int64_t pieceSize = 1000,
                   const std::map<int, std::int64_t>& pieceSizes = {},
                   bool hangAfterWriting = false, const std::map<int, std::string>& actions = {});
    std::string ApplicationFolder() const { return folder_.path(); }
    std::string Path() const { return folder_ / "mp3splt"; }

private:
    TempFolder folder_;
};

// Encodes sound made by sox with lame. soxArgs follow the sox output name
// ({"synth", "25", "sine", "440"}); lameOptions come before lame's file names.
void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions);

// An MP3 of exactly that many seconds at path, encoded once and copied.
void PutMp3(const std::string& mp3Path, int seconds);

// Playing time in seconds as a real decoder sees it (mpg123 to WAV, then soxi).
double DecodedSeconds(const std::string& mp3Path);

}  // namespace parvane::testing
