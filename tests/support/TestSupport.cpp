#include "TestSupport.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "ProcessRunner.h"

namespace parvane::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "parvane-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no scratch folder");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void WriteFile(const fs::path& path, const std::string& content, bool executable) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
    if (executable) fs::permissions(path, fs::perms::owner_exec, fs::perm_options::add);
}

std::string ReadFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::set<std::string> FolderNames(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

// The shell only redirects; the program and its arguments reach it as its own arguments.
ToolRun RunTool(const std::vector<std::string>& argv) {
    const TempFolder capture;
    std::vector<std::string> shell = {"/bin/sh", "-c",
                                      R"(o=$1 e=$2; shift 2; exec "$@" >"$o" 2>"$e")", "sh",
                                      capture / "out", capture / "err"};
    shell.insert(shell.end(), argv.begin(), argv.end());
    const RunResult run = RunAndWait(shell, {});
    const int exitCode = run.ending == RunResult::Ending::Exited ? run.code : -1;
    return {exitCode, ReadFile(capture / "out"), ReadFile(capture / "err")};
}

namespace {

// Sizes are made with truncate, so even pieces of gigabytes cost nothing.
constexpr const char* kFakeSplitter = R"(#!/bin/sh
. "$(dirname "$0")/fake.conf"
source=$1 start=$2 end=$3 name=$5 dir=$7
[ -f "$source" ] || { echo " error: inexistent file" >&2; exit 1; }
seconds() { s=${1#*.}; echo $(( ${1%.*} * 60 + ${s#0} )); }
from=$(seconds "$start") to=$(seconds "$end")
[ "$from" -lt "$DURATION" ] || { echo " error: begin point out of file" >&2; exit 1; }
piece=$(( from / (to - from) + 1 ))
eval "size=\${SIZE_$piece:-$SIZE} action=\${RUN_$piece:-}"
eval "$action"
[ "$size" -ge 0 ] || { truncate -s 100 "$dir/$name.mp3"; echo " error: disk full" >&2; exit 1; }
truncate -s "$size" "$dir/$name.mp3" || exit 1
[ -z "$HANG" ] || exec sleep 30
)";

std::string Checked(const std::vector<std::string>& argv) {
    const ToolRun run = RunTool(argv);
    if (run.exitCode != 0) throw std::runtime_error(argv[0] + " failed: " + run.err);
    return run.out;
}

}  // namespace

FakeSplitter::FakeSplitter() {
    WriteFile(Path(), kFakeSplitter, true);
    Configure(0);
}

void FakeSplitter::Configure(int durationSeconds, std::int64_t pieceSize,
                             const std::map<int, std::int64_t>& pieceSizes,
                             bool hangAfterWriting, const std::map<int, std::string>& actions) {
    std::string config = "DURATION=" + std::to_string(durationSeconds) +
                         "\nSIZE=" + std::to_string(pieceSize) +
                         "\nHANG=" + (hangAfterWriting ? "1" : "") + "\n";
    for (const auto& [number, size] : pieceSizes) {
        config += "SIZE_" + std::to_string(number) + "=" + std::to_string(size) + "\n";
    }
    for (const auto& [number, action] : actions) {
        config += "RUN_" + std::to_string(number) + "='" + action + "'\n";
    }
    WriteFile(folder_ / "fake.conf", config);
}

void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions) {
    const TempFolder scratch;
    const std::string wav = scratch / "sound.wav";
    std::vector<std::string> sox = {"sox", "-n", "-r", "44100", "-c", "2", wav};
    sox.insert(sox.end(), soxArgs.begin(), soxArgs.end());
    Checked(sox);
    std::vector<std::string> lame = {"lame", "--quiet"};
    lame.insert(lame.end(), lameOptions.begin(), lameOptions.end());
    lame.insert(lame.end(), {wav, mp3Path});
    Checked(lame);
}

void PutMp3(const std::string& mp3Path, int seconds) {
    static const TempFolder made;
    const std::string original = made / (std::to_string(seconds) + ".mp3");
    if (!fs::exists(original)) MakeMp3(original, {"synth", std::to_string(seconds)}, {"-b", "64"});
    fs::create_directories(fs::path(mp3Path).parent_path());
    fs::copy_file(original, mp3Path, fs::copy_options::overwrite_existing);
}

double DecodedSeconds(const std::string& mp3Path) {
    const TempFolder scratch;
    const std::string wav = scratch / "decoded.wav";
    Checked({"mpg123", "-q", "-w", wav, mp3Path});
    return std::stod(Checked({"soxi", "-D", wav}));
}

}  // namespace parvane::testing
