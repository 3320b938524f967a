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

// A stand-in for mp3splt, a small script in a scratch application folder. It takes the
// arguments the job gives mp3splt, has the real mp3splt write the piece, and then spoils it
// where told to, as a faulty splitter would.
class FakeSplitter {
public:
    enum class Output {
        Real,
        Empty,     // an empty piece, exit status 0
        DiskFull,  // a part written, " error: disk full", exit status 1
        Noise,     // random bytes, exit status 0
        Half,      // the first half of the real piece, exit status 0
        // The real piece behind an ID3v2 header whose size is no synchsafe integer, which the
        // decoder reads through and TagLib takes for a tag: no tag may be written there.
        UntaggableHeader,
    };
    FakeSplitter();
    // What each piece's run leaves, by piece number. A hanging splitter writes its piece and
    // then never ends on its own. An action is shell code run before a piece is written
    // ("$source", "$dir", "$name" and "$0", the splitter, may be used or changed).
    void Configure(const std::map<int, Output>& outputs = {}, bool hangAfterWriting = false,
                   const std::map<int, std::string>& actions = {});
    std::string ApplicationFolder() const { return folder_.path().string(); }
    std::string Path() const { return folder_ / "mp3splt"; }

private:
    TempFolder folder_;
    std::string realSplitter_;
};

// Makes a sound file with sox; its type follows the name (.wav, .mp2). soxArgs follow the
// output name ({"synth", "25", "sine", "440"}).
void MakeSound(const std::string& path, const std::vector<std::string>& soxArgs);

// Encodes sound made by sox with lame. soxArgs follow the sox output name
// ({"synth", "25", "sine", "440"}); lameOptions come before lame's file names.
void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions);

// An MP3 of exactly that many seconds at path, encoded once and copied.
void PutMp3(const std::string& mp3Path, double seconds);

std::string RandomBytes(std::size_t count);

// Playing time in seconds as a real decoder sees it: mpg123 to WAV, then soxi; for a damaged
// file sox, whose libmad passes random bytes without taking chance frame headers in them for
// a change of format.
double DecodedSeconds(const std::string& mp3Path, bool damaged = false);

}  // namespace parvane::testing
