#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ConsoleArguments.h"
#include "cli/ConsoleHost.h"
#include "cli/EscapedName.h"
#include "cli/SourceFiles.h"
#include "engine/job/SplitJob.h"
#include "engine/names/NumberText.h"
#include "engine/process/BrokenPipes.h"
#include "engine/process/ConsoleStart.h"
#include "engine/process/ProcessRunner.h"
#include "engine/process/ProgramFolders.h"
#include "engine/process/SignalPolicy.h"
#include "wording/ClosingText.h"
#include "wording/ErrorWords.h"

namespace {

constexpr int kExitAllSplit = 0;
constexpr int kExitSomeNotSplit = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// A failed write to standard output: a closed reader stops the program as Ctrl+C does; any
// other reason (a full device) is an error of its own. Read right after the write, while
// errno still holds its reason.
int OutputFailed(const char* after) {
    const int error = errno;
    if (error == EPIPE || parvane::OutputClosed(::fileno(stdout))) {
        std::cerr << "parvane-split: the output was closed." << after << "\n";
        return kExitInterrupted;
    }
    std::cerr << "parvane-split: cannot write the output ("
              << parvane::ErrorWords(error != 0 ? error : EIO) << ")." << after << "\n";
    return kExitSomeNotSplit;
}

parvane::CurrentFolder ReadCurrentFolder() {
    parvane::CurrentFolder current;
    current.path = parvane::CurrentFolderPath(current.error);
    return current;
}

// What --folder passed over or did not find.
void TellFolderScans(const parvane::CollectedFiles& collected) {
    for (const std::string& folder : collected.foldersWithoutMp3) {
        std::cerr << "parvane-split: --folder " << folder << ": no MP3 files in it\n";
    }
    for (const auto& [folder, count] : collected.piecesLeftOut) {
        std::cerr << "parvane-split: --folder " << parvane::EscapedName(folder) << ": left out "
                  << parvane::NumberText(static_cast<std::int64_t>(count))
                  << (count == 1 ? " piece" : " pieces")
                  << " of the files found there (NAME-0001.mp3 beside NAME.mp3)\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace parvane;
    IgnoreBrokenPipes();
    KeepChildrenWaitable();
    ShowUtf8OnConsole();
    const std::vector<std::string> args = ProgramArguments(argc, argv);
    const ParsedArguments parsed = ParseConsoleArguments(args, ReadCurrentFolder());
    if (!parsed.error.empty()) {
        std::cerr << "parvane-split: " << EscapedName(parsed.error) << "\n"
                  << "Try 'parvane-split --help' for more information.\n";
        return kExitUsage;
    }
    if (parsed.options.showHelp) {
        std::cout << ConsoleUsage();
        return kExitAllSplit;
    }
    if (parsed.options.showVersion) {
        std::cout << "parvane-split " PARVANE_VERSION "\n";
        return kExitAllSplit;
    }

    const CollectedFiles collected = CollectSourceFiles(parsed.options.sources);
    if (!collected.unreadableFolders.empty()) {
        for (const std::string& folder : collected.unreadableFolders) {
            std::cerr << "parvane-split: --folder " << EscapedName(folder)
                      << ": not a readable folder\n";
        }
        return kExitUsage;
    }
    TellFolderScans(collected);
    if (parsed.options.listOnly) {
        for (const std::string& file : collected.files) {
            std::cout << EscapedName(file) << "\n";
        }
        if (!std::cout.flush()) {
            return OutputFailed("");
        }
        return kExitAllSplit;
    }

    ConsoleHost host(collected.files, parsed.options.intervalSeconds, ExecutableFolder(), std::cout,
                     ::fileno(stdout), StopOnSignals());
    RealProcessRunner runner;
    const JobReport report = RunSplitJob(host, runner);
    if (report.end == JobEnd::Stopped) {
        if (host.WriteError() != 0 && !host.OutputLost()) {
            errno = host.WriteError();
            return OutputFailed(" Stopped; the piece being written was discarded.");
        }
        if (host.OutputLost()) {
            std::cerr << "parvane-split: the output was closed. ";
        }
        std::cerr << "Stopped; the piece being written was discarded.\n";
        return kExitInterrupted;
    }
    const bool splitterGone =
        report.end == JobEnd::SplitterMissing || report.end == JobEnd::SplitterLost;
    const ClosingText text = MakeClosingText(report, Translate(English), EscapedName);
    std::ostream& messages = splitterGone ? std::cerr : std::cout;
    messages << text.summary << "\n";
    if (!text.details.empty()) {
        messages << text.details << "\n";
    }
    if (!messages.flush()) {
        return OutputFailed("");
    }
    const bool allSplit =
        std::all_of(report.files.begin(), report.files.end(),
                    [](const FileReport& file) { return file.SplitCompletely(); });
    return report.end == JobEnd::Completed && allSplit ? kExitAllSplit : kExitSomeNotSplit;
}
