#include "tests/support/TestSupport.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "engine/process/ProcessRunner.h"
#include "engine/process/SplitterSearch.h"

namespace parvane::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("parvane-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) path_ = candidate;
    }
    if (path_.empty()) throw std::runtime_error("no scratch folder");
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
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The shell only redirects; the program and its arguments reach it as its own arguments.
ToolRun RunTool(const std::vector<std::string>& argv) {
    const TempFolder capture;
    std::vector<std::string> shell = {
        "/bin/sh",       "-c",           R"(o=$1 e=$2; shift 2; exec "$@" >"$o" 2>"$e")", "sh",
        capture / "out", capture / "err"};
    shell.insert(shell.end(), argv.begin(), argv.end());
    const RunResult run = RunAndWait(shell, {});
    const int exitCode = run.ending == RunResult::Ending::Exited ? run.code : -1;
    return {exitCode, ReadFile(capture / "out"), ReadFile(capture / "err")};
}

namespace {

constexpr const char* kFakeSplitter = R"(#!/bin/sh
. "$(dirname "$0")/fake.conf"
frames=; [ "$1" = -f ] && { frames=-f; shift; }
source=$1 start=$2 end=$3 name=$5 dir=$7
seconds() { s=${1#*.}; echo $(( ${1%.*} * 60 + ${s#0} )); }
from=$(seconds "$start") to=$(seconds "$end")
piece=$(( from / (to - from) + 1 ))
eval "output=\${OUTPUT_$piece:-Real} action=\${RUN_$piece:-}"
eval "$action"
"$REAL" $frames "$source" "$start" "$end" -o "$name" -d "$dir" >/dev/null || exit
made=$dir/$name.mp3
case $output in
Empty) : >"$made" ;;
DiskFull) truncate -s 100 "$made"; echo " error: disk full" >&2; exit 1 ;;
Noise) head -c 40000 /dev/urandom >"$made" ;;
Half) truncate -s $(( $(stat -c %s "$made") / 2 )) "$made" ;;
UntaggableHeader) printf "ID3\003\0\0\0\0\0\200" | cat - "$made" >"$made.t"; mv "$made.t" "$made" ;;
esac
[ -z "$HANG" ] || exec sleep 30
)";

std::string Checked(const std::vector<std::string>& argv) {
    const ToolRun run = RunTool(argv);
    if (run.exitCode != 0) throw std::runtime_error(argv[0] + " failed: " + run.err);
    return run.out;
}

}  // namespace

FakeSplitter::FakeSplitter() : realSplitter_(FindSplitter("", SearchPath()).value_or("")) {
    WriteFile(Path(), kFakeSplitter, true);
    Configure();
}

void FakeSplitter::Configure(const std::map<int, Output>& outputs, bool hangAfterWriting,
                             const std::map<int, std::string>& actions) {
    static const char* const kOutputNames[] = {"Real",  "Empty", "DiskFull",
                                               "Noise", "Half",  "UntaggableHeader"};
    std::string config =
        "REAL='" + realSplitter_ + "'\nHANG=" + (hangAfterWriting ? "1" : "") + "\n";
    for (const auto& [number, output] : outputs) {
        config += "OUTPUT_" + std::to_string(number) + "=" +
                  kOutputNames[static_cast<int>(output)] + "\n";
    }
    for (const auto& [number, action] : actions) {
        config += "RUN_" + std::to_string(number) + "='" + action + "'\n";
    }
    WriteFile(folder_ / "fake.conf", config);
}

void MakeSound(const std::string& path, const std::vector<std::string>& soxArgs) {
    std::vector<std::string> sox = {"sox", "-n", "-r", "44100", "-c", "2", path};
    sox.insert(sox.end(), soxArgs.begin(), soxArgs.end());
    Checked(sox);
}

void MakeMp3(const std::string& mp3Path, const std::vector<std::string>& soxArgs,
             const std::vector<std::string>& lameOptions) {
    const TempFolder scratch;
    const std::string wav = scratch / "sound.wav";
    MakeSound(wav, soxArgs);
    std::vector<std::string> lame = {"lame", "--quiet"};
    lame.insert(lame.end(), lameOptions.begin(), lameOptions.end());
    lame.insert(lame.end(), {wav, mp3Path});
    Checked(lame);
}

void PutMp3(const std::string& mp3Path, double seconds) {
    static const TempFolder made;
    const std::string original = made / (std::to_string(seconds) + ".mp3");
    if (!fs::exists(original)) MakeMp3(original, {"synth", std::to_string(seconds)}, {"-b", "64"});
    fs::create_directories(fs::path(mp3Path).parent_path());
    fs::copy_file(original, mp3Path, fs::copy_options::overwrite_existing);
}

std::string RandomBytes(std::size_t count) {
    std::string bytes(count, '\0');
    std::ifstream("/dev/urandom", std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(count));
    return bytes;
}

double DecodedSeconds(const std::string& mp3Path, bool damaged) {
    if (damaged) {
        const std::string stat = RunTool({"sox", mp3Path, "-n", "stat"}).err;
        return std::stod(stat.substr(stat.find(':', stat.find("Length (seconds):")) + 1));
    }
    const TempFolder scratch;
    const std::string wav = scratch / "decoded.wav";
    Checked({"mpg123", "-q", "-w", wav, mp3Path});
    return std::stod(Checked({"soxi", "-D", wav}));
}

}  // namespace parvane::testing
