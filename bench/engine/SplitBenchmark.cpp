// How much the split job adds to the work it cannot do without. A 20-minute 128 kbit/s CBR
// file with an Info frame and a 10-minute VBR file without one are cut every 0:05 by the job
// (its measure included) and by a plain fork/exec/waitpid loop of the very same splitter
// runs, in which each piece is checked, numbered and moved to its name as the job does.
// Then, on the same loop, what the piece checks and tags cost (the loop without them) and
// what mp3splt's frame mode costs (each run with -f against the same run without it). Last,
// the job beside 100,000 other files against the job alone. First of all, the measure of a
// 1 GB source made of copies of the CBR file. Prints times and ratios; with the argument
// "measure" after the rounds, only the measure.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/audio/Mp3Tags.h"
#include "engine/audio/PieceCheck.h"
#include "engine/audio/PieceTags.h"
#include "engine/audio/SourceMeasure.h"
#include "engine/job/SplitHost.h"
#include "engine/job/SplitJob.h"
#include "engine/process/ProcessRunner.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Argv = std::vector<std::string>;
constexpr int kInterval = 5;

class BenchHost final : public parvane::SplitHost {
public:
    std::string source;
    std::string applicationFolder;

    int EntryCount() const override { return 1; }
    std::string EntryPath(int) const override { return source; }
    int ChosenInterval() const override { return kInterval; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    bool StopRequested() const override { return false; }
    const parvane::StopNotice& StopNoticeToWatch() const override { return neverRequested_; }
    void FileStarted(int, int, const std::string&) override {}
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t, const std::string&) override {}

private:
    parvane::StopNotice neverRequested_;
};

class RecordingRunner final : public parvane::ProcessRunner {
public:
    std::vector<Argv> runs;
    parvane::RunResult Run(const Argv& argv, const parvane::WaitHooks& hooks) override {
        runs.push_back(argv);
        return parvane::RunAndWait(argv, hooks);
    }
};

int RunPlainly(const Argv& argv) {
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(arguments[0], arguments.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return status;
}

std::string Which(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin";
    std::size_t begin = 0;
    while (begin <= folders.size()) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos) {
            end = folders.size();
        }
        const std::string candidate = folders.substr(begin, end - begin) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        begin = end + 1;
    }
    return program;
}

bool Succeeded(int status) {
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Removes what a pass left: pieces (named "<base>-") and the loop's outputs in the job's
// private folder. Every pass then writes into a folder as a first split finds it;
// replacing pieces of an earlier split costs extra on file systems that flush a file
// renamed over another.
void ClearOutputs(const fs::path& folder, const std::string& base) {
    std::vector<fs::path> made;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(base + "-", 0) == 0 || name.rfind(".parvane-", 0) == 0) {
            made.push_back(entry.path());
        }
    }
    for (const fs::path& path : made) {
        fs::remove_all(path);
    }
}

// The folder the splitter was told to write into (after "-d").
fs::path OutputFolder(const Argv& run) {
    const auto flag = std::find(run.begin(), run.end(), "-d");
    return flag != run.end() && flag + 1 != run.end() ? fs::path(*(flag + 1)) : fs::path();
}

// The run with mp3splt's frame mode switched: -f added where it was not given, else dropped.
Argv WithFrameModeSwitched(Argv run) {
    const auto flag = std::find(run.begin(), run.end(), "-f");
    if (flag != run.end()) {
        run.erase(flag);
    } else {
        run.insert(run.begin() + 1, "-f");
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

struct Source {
    const char* what;
    fs::path path;
    std::string base;  // the file name without ".mp3"
    parvane::SourceMeasure measure;
    std::vector<Argv> runs;  // as the job made them
};

// The loop over the job's runs. `prove`: each piece is checked, given the source's tags and
// numbered as the job does;
// `switchFrameMode`: each run with mp3splt's frame mode the other way round.
double TimeLoop(const Source& source, bool prove, bool switchFrameMode) {
    const fs::path folder = source.path.parent_path();
    ClearOutputs(folder, source.base);
    fs::create_directories(OutputFolder(source.runs.front()));
    const double total = source.measure.seconds;
    const auto count = static_cast<std::int64_t>(std::ceil(total / kInterval));
    const auto start = Clock::now();
    std::int64_t number = 0;
    for (const Argv& run : source.runs) {
        ++number;
        const int status = RunPlainly(switchFrameMode ? WithFrameModeSwitched(run) : run);
        const fs::path made = OutputFolder(run) / "piece.mp3";
        if (prove && Succeeded(status) && number <= count) {
            const double begin = static_cast<double>((number - 1) * kInterval);
            const parvane::PieceExpectation expected{source.measure.sampleRate,
                                                     std::min(total - begin, double{kInterval}),
                                                     source.measure.frameSeconds};
            if (!parvane::CheckPiece(made, expected, {}) &&
                parvane::CarrySourceTags(source.path.string(), made)) {
                parvane::NumberTrack(made, number, count, source.base + ".mp3");
            }
        }
        char name[32];
        std::snprintf(name, sizeof name, "-%04lld.mp3", static_cast<long long>(number));
        std::rename(made.c_str(), (folder / (source.base + name)).c_str());
    }
    return Seconds(Clock::now() - start);
}

double TimeJob(BenchHost& host, Source& source) {
    host.source = source.path.string();
    ClearOutputs(source.path.parent_path(), source.base);
    RecordingRunner runner;
    const auto start = Clock::now();
    parvane::RunSplitJob(host, runner);
    const double seconds = Seconds(Clock::now() - start);
    source.runs = runner.runs;
    return seconds;
}

bool Make(const fs::path& mp3, const Argv& sound, const Argv& lame) {
    const std::string wav = fs::path(mp3).replace_extension(".wav").string();
    Argv sox = {Which("sox"), "-n", "-r", "44100", "-c", "2", wav};
    sox.insert(sox.end(), sound.begin(), sound.end());
    Argv encode = {Which("lame"), "--quiet"};
    encode.insert(encode.end(), lame.begin(), lame.end());
    encode.insert(encode.end(), {wav, mp3.string()});
    const bool made = Succeeded(RunPlainly(sox)) && Succeeded(RunPlainly(encode));
    fs::remove(wav);
    return made;
}

void Compare(BenchHost& host, Source& source, int rounds) {
    std::printf("\n%s, cut every 0:%02d\n", source.what, kInterval);
    source.measure = parvane::MeasureSource(source.path.string());
    TimeJob(host, source);  // records the runs and warms the caches; not counted
    std::vector<double> jobs, loops, bareLoops, switchedLoops;
    for (int round = 1; round <= rounds; ++round) {
        // The order alternates so that neither side always goes first.
        if (round % 2 == 1) {
            loops.push_back(TimeLoop(source, true, false));
            jobs.push_back(TimeJob(host, source));
        } else {
            jobs.push_back(TimeJob(host, source));
            loops.push_back(TimeLoop(source, true, false));
        }
        bareLoops.push_back(TimeLoop(source, false, false));
        switchedLoops.push_back(TimeLoop(source, false, true));
        std::printf(
            "round %d: %zu runs; job %.3f s, loop %.3f s, job/loop %.3f; loop without "
            "checks and tags %.3f s; with frame mode switched %.3f s\n",
            round, source.runs.size(), jobs.back(), loops.back(), jobs.back() / loops.back(),
            bareLoops.back(), switchedLoops.back());
        std::fflush(stdout);
    }
    const bool frameMode = std::find(source.runs.front().begin(), source.runs.front().end(),
                                     "-f") != source.runs.front().end();
    const double job = Median(jobs), loop = Median(loops), bare = Median(bareLoops);
    const double withF = frameMode ? bare : Median(switchedLoops);
    const double withoutF = frameMode ? Median(switchedLoops) : bare;
    const auto runs = static_cast<double>(source.runs.size());
    std::printf(
        "median of %d rounds: job %.3f s, loop %.3f s, job/loop %.3f (target at most "
        "1.10)\n",
        rounds, job, loop, job / loop);
    std::printf("piece checks and tags: %.3f s, %.2f ms a run, loop with/without %.3f\n",
                loop - bare, 1000.0 * (loop - bare) / runs, loop / bare);
    std::printf(
        "frame mode (-f, %s by the job): runs with -f %.3f s, without %.3f s, "
        "with/without %.3f\n",
        frameMode ? "passed" : "not passed", withF, withoutF, withF / withoutF);
}

// Reads every frame of 1 GB, as the job does before any run; the file is read once before,
// so the times are those of a file in the page cache.
void MeasureLargeSource(const fs::path& recording, const fs::path& large, int rounds) {
    constexpr std::uintmax_t kLargeBytes = 1ULL << 30;
    while (!fs::exists(large) || fs::file_size(large) < kLargeBytes) {
        std::FILE* out = std::fopen(large.c_str(), "ab");
        std::FILE* in = std::fopen(recording.c_str(), "rb");
        std::vector<char> block(1 << 20);
        for (std::size_t count; (count = std::fread(block.data(), 1, block.size(), in)) > 0;) {
            std::fwrite(block.data(), 1, count, out);
        }
        std::fclose(in);
        std::fclose(out);
    }
    std::printf("\nmeasure of a %.2f GB source\n",
                static_cast<double>(fs::file_size(large)) / static_cast<double>(kLargeBytes));
    parvane::MeasureSource(large.string());
    std::vector<double> times;
    for (int round = 1; round <= rounds; ++round) {
        const auto start = Clock::now();
        const parvane::SourceMeasure measure = parvane::MeasureSource(large.string());
        times.push_back(Seconds(Clock::now() - start));
        std::printf("round %d: %.3f s for %.0f s of audio%s\n", round, times.back(),
                    measure.seconds, measure.problem ? " (refused)" : "");
        std::fflush(stdout);
    }
    std::printf("median of %d rounds: %.3f s\n", rounds, Median(times));
    fs::remove(large);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path folder =
        fs::temp_directory_path() / ("parvane-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder / "application");
    BenchHost host;
    host.applicationFolder = (folder / "application").string();

    std::printf(
        "making a 20-minute 128 kbit/s CBR MP3 and a 10-minute VBR MP3 without an Info "
        "frame ...\n");
    std::fflush(stdout);
    Source cbr{"20-minute CBR, 128 kbit/s, Info frame", folder / "cbr.mp3", "cbr", {}, {}};
    Source vbr{"10-minute VBR (-V 2), no Info frame", folder / "vbr.mp3", "vbr", {}, {}};
    if (!Make(cbr.path, {"synth", "1200", "pinknoise", "vol", "0.3"}, {"-b", "128"}) ||
        !Make(vbr.path,
              {"synth", "10", "pinknoise", "vol", "0.3", "pad", "0", "10", "repeat", "29"},
              {"-t", "-V", "2"})) {
        std::fprintf(stderr, "could not make the test files with sox and lame\n");
        fs::remove_all(folder);
        return 1;
    }
    MeasureLargeSource(cbr.path, folder / "large.mp3", rounds);
    if (argc > 2 && std::string(argv[2]) == "measure") {
        fs::remove_all(folder);
        return 0;
    }
    Compare(host, cbr, rounds);
    Compare(host, vbr, rounds);

    // The same job beside 100,000 other files: what it costs no longer depends on them.
    const fs::path crowded = folder / "crowded";
    fs::create_directories(crowded);
    std::printf("\nmaking 100,000 other files ...\n");
    std::fflush(stdout);
    for (int k = 0; k < 100'000; ++k) {
        ::close(::open((crowded / ("other-" + std::to_string(k) + ".mp3")).c_str(),
                       O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    Source inCrowd = cbr;
    inCrowd.path = crowded / "cbr.mp3";
    fs::copy_file(cbr.path, inCrowd.path);
    std::vector<double> aloneTimes, crowdedTimes;
    for (int round = 1; round <= rounds; ++round) {
        if (round % 2 == 1) {
            aloneTimes.push_back(TimeJob(host, cbr));
            crowdedTimes.push_back(TimeJob(host, inCrowd));
        } else {
            crowdedTimes.push_back(TimeJob(host, inCrowd));
            aloneTimes.push_back(TimeJob(host, cbr));
        }
        std::printf("round %d: alone %.3f s, beside 100,000 files %.3f s, ratio %.3f\n", round,
                    aloneTimes.back(), crowdedTimes.back(),
                    crowdedTimes.back() / aloneTimes.back());
        std::fflush(stdout);
    }
    const double alone = Median(aloneTimes), besideMany = Median(crowdedTimes);
    std::printf(
        "median: alone %.3f s, beside 100,000 files %.3f s, ratio %.3f (target at most "
        "1.05)\n",
        alone, besideMany, besideMany / alone);
    fs::remove_all(folder);
    return 0;
}
