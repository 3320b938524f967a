#include "TestSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace parvane::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("parvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const fs::path& path, const std::string& content, bool executable) {
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << content;
    }
    if (executable) {
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read |
                                  fs::perms::others_exec);
    }
}

std::set<std::string> FolderNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

namespace {

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> EnvironmentWith(const std::map<std::string, std::string>& changes) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const std::string name = text.substr(0, text.find('='));
        if (changes.find(name) == changes.end()) {
            result.push_back(text);
        }
    }
    for (const auto& [name, value] : changes) {
        result.push_back(name + "=" + value);
    }
    return result;
}

}  // namespace

ToolRun RunTool(const std::vector<std::string>& argv, const ToolOptions& options) {
    const TempFolder capture;
    const std::string outPath = capture / "out";
    const std::string errPath = capture / "err";

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    if (!options.workingFolder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
    }
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    std::vector<std::string> environment = EnvironmentWith(options.environment);
    std::vector<char*> environmentPointers;
    for (std::string& entry : environment) {
        environmentPointers.push_back(entry.data());
    }
    environmentPointers.push_back(nullptr);

    pid_t pid = 0;
    const int error = posix_spawnp(&pid, arguments[0], &actions, nullptr, arguments.data(),
                                   environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + argv[0]);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    ToolRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadWhole(outPath);
    run.err = ReadWhole(errPath);
    return run;
}

void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions) {
    const TempFolder scratch;
    const std::string wavPath = scratch / "sound.wav";
    std::vector<std::string> sox = {"sox", "-n", "-r", "44100", "-c", "2", wavPath};
    sox.insert(sox.end(), soxArgs.begin(), soxArgs.end());
    const ToolRun made = RunTool(sox);
    if (made.exitCode != 0) {
        throw std::runtime_error("sox failed: " + made.err);
    }
    std::vector<std::string> lame = {"lame", "--quiet"};
    lame.insert(lame.end(), lameOptions.begin(), lameOptions.end());
    lame.push_back(wavPath);
    lame.push_back(mp3Path);
    const ToolRun encoded = RunTool(lame);
    if (encoded.exitCode != 0) {
        throw std::runtime_error("lame failed: " + encoded.err);
    }
}

double DecodedSeconds(const std::string& mp3Path) {
    const TempFolder scratch;
    const std::string wavPath = scratch / "decoded.wav";
    const ToolRun decoded = RunTool({"mpg123", "-q", "-w", wavPath, mp3Path});
    if (decoded.exitCode != 0) {
        throw std::runtime_error("mpg123 failed on " + mp3Path + ": " + decoded.err);
    }
    const ToolRun measured = RunTool({"soxi", "-D", wavPath});
    if (measured.exitCode != 0) {
        throw std::runtime_error("soxi failed: " + measured.err);
    }
    return std::stod(measured.out);
}

}  // namespace parvane::testing
