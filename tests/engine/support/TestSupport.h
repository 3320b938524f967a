// Helpers the engine and console tests share: scratch folders, running tools, making
// and measuring audio.
#pragma once

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

void WriteFile(const std::filesystem::path& path, const std::string& content,
               bool executable = false);

std::set<std::string> FolderNames(const std::filesystem::path& folder);

struct ToolRun {
    int exitCode = -1;  // -1 when it did not end normally
    std::string out;
    std::string err;
};

struct ToolOptions {
    std::string workingFolder;                  // empty: this process's
    std::map<std::string, std::string> environment;  // added to (or replacing in) this process's
};

// Runs a program found on PATH with an argument vector and collects what it prints.
ToolRun RunTool(const std::vector<std::string>& argv, const ToolOptions& options = {});

// Encodes an audio file made by sox (any sox arguments that follow "-n OUT") with lame.
// soxArgs are the arguments after the output name, e.g. {"synth", "25", "sine", "440"}.
void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions);

// Playing time in seconds as a real decoder sees it (mpg123 to WAV, then soxi).
double DecodedSeconds(const std::string& mp3Path);

}  // namespace parvane::testing
