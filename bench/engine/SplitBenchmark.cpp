// How much the split job adds to the splitter's own work: a 20-minute 128 kbit/s file cut
// every 0:05 through the job (the source's measure included), against the very same
// splitter argument vectors started one after another from a plain fork/exec/waitpid
// loop that moves each output to its piece name. Then the same job beside 100,000 other files against the job in a folder of its
// own. Prints the times and their ratios.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProcessRunner.h"
#include "SplitHost.h"
#include "SplitJob.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class BenchHost final : public parvane::SplitHost {
public:
    std::string source;
    std::string applicationFolder;

    int EntryCount() const override { return 1; }
    std::string EntryPath(int) const override { return source; }
    int ChosenInterval() const override { return 5; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    bool StopRequested() const override { return false; }
    void FileStarted(int, int, const std::string&) override {}
    void PieceStarted(std::int64_t, const std::string&) override {}
    void PieceWritten(std::int64_t, const std::string&) override {}
    void FileFinished(const parvane::FileReport&) override {}
    void JobFinished(const parvane::JobReport&) override {}
};

class RecordingRunner final : public parvane::ProcessRunner {
public:
    std::vector<std::vector<std::string>> runs;
    Clock::duration insideRuns{};
    parvane::RunResult Run(const std::vector<std::string>& argv,
                           const parvane::WaitHooks& hooks) override {
        runs.push_back(argv);
        const auto start = Clock::now();
        parvane::RunResult result = parvane::RunAndWait(argv, hooks);
        insideRuns += Clock::now() - start;
        return result;
    }
};

int RunPlainly(const std::vector<std::string>& argv) {
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

// Removes what a pass left: pieces (named "long-") and the loop's outputs in the job's
// private folder. Every pass then writes into a folder as a first split finds it;
// replacing pieces of an earlier split costs extra on file systems that flush a file
// renamed over another.
void ClearOutputs(const fs::path& folder) {
    std::vector<fs::path> made;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("long-", 0) == 0 || name.rfind(".parvane-", 0) == 0) {
            made.push_back(entry.path());
        }
    }
    for (const fs::path& path : made) {
        fs::remove_all(path);
    }
}

// The folder the splitter was told to write into (after "-d").
fs::path OutputFolder(const std::vector<std::string>& run) {
    const auto flag = std::find(run.begin(), run.end(), "-d");
    return flag != run.end() && flag + 1 != run.end() ? fs::path(*(flag + 1)) : fs::path();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    const fs::path folder =
        fs::temp_directory_path() / ("parvane-bench-" + std::to_string(::getpid()));
    const fs::path empty = folder / "application";
    fs::create_directories(empty);
    const std::string wav = (folder / "long.wav").string();
    const std::string source = (folder / "long.mp3").string();

    std::printf("making a 20-minute 128 kbit/s MP3 ...\n");
    std::fflush(stdout);
    if (WEXITSTATUS(RunPlainly({Which("sox"), "-n", "-r", "44100", "-c", "2", wav, "synth",
                                "1200", "pinknoise", "vol", "0.3"})) != 0 ||
        WEXITSTATUS(RunPlainly({Which("lame"), "--quiet", "-b", "128", wav, source})) != 0) {
        std::fprintf(stderr, "could not make the test file with sox and lame\n");
        fs::remove_all(folder);
        return 1;
    }
    fs::remove(wav);

    BenchHost host;
    host.source = source;
    host.applicationFolder = empty.string();

    std::vector<double> jobTimes;
    std::vector<double> loopTimes;
    std::vector<double> outsideRuns;  // the job's own share: naming, probing, renaming
    std::vector<std::vector<std::string>> recorded;
    int pieces = 0;
    const auto timeJob = [&] {
        RecordingRunner runner;
        ClearOutputs(folder);
        const auto start = Clock::now();
        const parvane::JobReport report = parvane::RunSplitJob(host, runner);
        pieces = report.files.empty() ? 0 : static_cast<int>(report.files[0].piecesWritten);
        jobTimes.push_back(Seconds(Clock::now() - start));
        outsideRuns.push_back(jobTimes.back() - Seconds(runner.insideRuns));
        recorded = runner.runs;
    };
    const auto timeLoop = [&] {
        ClearOutputs(folder);
        fs::create_directories(OutputFolder(recorded.front()));
        const auto start = Clock::now();
        // Each output is moved to its piece name, as the job does: a loop that let every
        // run overwrite the last output would write a fraction of the job's data.
        int number = 0;
        for (const auto& run : recorded) {
            RunPlainly(run);
            char name[32];
            std::snprintf(name, sizeof name, "long-%04d.mp3", ++number);
            std::rename((OutputFolder(run) / "piece.mp3").c_str(), (folder / name).c_str());
        }
        loopTimes.push_back(Seconds(Clock::now() - start));
    };
    // A first job records the argument vectors and warms the caches; it is not counted.
    // After it the order alternates so that neither side always goes first.
    timeJob();
    jobTimes.clear();
    outsideRuns.clear();
    for (int round = 1; round <= rounds; ++round) {
        if (round % 2 == 1) {
            timeLoop();
            timeJob();
        } else {
            timeJob();
            timeLoop();
        }
        std::printf("round %d: %zu runs, %d pieces; job %.3f s (%.3f s outside the runs), "
                    "loop %.3f s, job/loop %.3f\n",
                    round, recorded.size(), pieces, jobTimes.back(), outsideRuns.back(),
                    loopTimes.back(), jobTimes.back() / loopTimes.back());
        std::fflush(stdout);
    }
    const std::size_t runCount = recorded.size();

    std::sort(jobTimes.begin(), jobTimes.end());
    std::sort(loopTimes.begin(), loopTimes.end());
    const double job = jobTimes[jobTimes.size() / 2];
    const double loop = loopTimes[loopTimes.size() / 2];
    std::printf("median of %zu job and %zu loop passes over %zu runs: job %.3f s, loop %.3f s, "
                "job/loop %.3f (target at most 1.05)\n",
                jobTimes.size(), loopTimes.size(), runCount, job, loop, job / loop);
    std::printf("fastest: job %.3f s, loop %.3f s, job/loop %.3f\n", jobTimes.front(),
                loopTimes.front(), jobTimes.front() / loopTimes.front());
    const auto runs = static_cast<double>(runCount);
    std::printf("per run: job %.2f ms, loop %.2f ms\n", 1000.0 * job / runs, 1000.0 * loop / runs);

    // The same job beside 100,000 other files: what it costs no longer depends on them.
    const fs::path crowded = folder / "crowded";
    fs::create_directories(crowded);
    std::printf("making 100,000 other files ...\n");
    std::fflush(stdout);
    for (int k = 0; k < 100'000; ++k) {
        ::close(::open((crowded / ("other-" + std::to_string(k) + ".mp3")).c_str(),
                       O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    }
    fs::copy_file(source, crowded / "long.mp3");
    std::vector<double> aloneTimes;
    std::vector<double> crowdedTimes;
    const auto timeIn = [&](const fs::path& where, std::vector<double>& times) {
        host.source = (where / "long.mp3").string();
        ClearOutputs(where);
        RecordingRunner runner;
        const auto start = Clock::now();
        parvane::RunSplitJob(host, runner);
        times.push_back(Seconds(Clock::now() - start));
    };
    for (int round = 1; round <= rounds; ++round) {
        if (round % 2 == 1) {
            timeIn(folder, aloneTimes);
            timeIn(crowded, crowdedTimes);
        } else {
            timeIn(crowded, crowdedTimes);
            timeIn(folder, aloneTimes);
        }
        std::printf("round %d: alone %.3f s, beside 100,000 files %.3f s, ratio %.3f\n", round,
                    aloneTimes.back(), crowdedTimes.back(), crowdedTimes.back() / aloneTimes.back());
        std::fflush(stdout);
    }
    const double alone = Median(aloneTimes);
    const double besideMany = Median(crowdedTimes);
    std::printf("median: alone %.3f s, beside 100,000 files %.3f s, ratio %.3f (target at most "
                "1.05)\n",
                alone, besideMany, besideMany / alone);
    fs::remove_all(folder);
    return 0;
}
