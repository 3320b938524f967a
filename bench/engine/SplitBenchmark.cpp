// How much the split job adds to the splitter's own work: a 20-minute 128 kbit/s file cut
// every 0:05 through the job, against the very same splitter argument vectors started
// one after another from a plain fork/exec/waitpid loop. Prints both times and their ratio.
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
    int eventPasses = 0;
    std::string lastMessage;

    int EntryCount() const override { return 1; }
    std::string EntryText(int) const override { return source; }
    std::string IntervalEntryText() const override { return " Split Every 0:05"; }
    std::string ApplicationFolder() const override { return applicationFolder; }
    void SetProgress(float) override {}
    void SetWindowPointer(int) override {}
    void ShowMessage(const std::string& text) override { lastMessage = text; }
    void HandlePendingEvents() override { ++eventPasses; }
    bool StopRequested() const override { return false; }
};

class RecordingRunner final : public parvane::ProcessRunner {
public:
    std::vector<std::vector<std::string>> runs;
    Clock::duration insideRuns{};
    std::int32_t Run(const std::vector<std::string>& argv, int windowStyle,
                     const parvane::WaitHooks& hooks) override {
        runs.push_back(argv);
        const auto start = Clock::now();
        const std::int32_t result = parvane::RunAndWait(argv, windowStyle, hooks);
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

// Removes what a pass left: pieces (named "long-") and the loop's privately named outputs.
// Every pass then writes into a folder as a first split finds it; replacing pieces of an
// earlier split costs extra on file systems that flush a file renamed over another.
void ClearOutputs(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("long-", 0) == 0 || name.rfind(".parvane-", 0) == 0) {
            fs::remove(entry.path());
        }
    }
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
        pieces = parvane::RunSplitJob(host, runner).piecesWritten;
        jobTimes.push_back(Seconds(Clock::now() - start));
        outsideRuns.push_back(jobTimes.back() - Seconds(runner.insideRuns));
        recorded = runner.runs;
    };
    const auto timeLoop = [&] {
        ClearOutputs(folder);
        const auto start = Clock::now();
        for (const auto& run : recorded) {
            RunPlainly(run);
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
    fs::remove_all(folder);
    return 0;
}
