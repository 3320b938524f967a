#include "PieceWriter.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "PiecePaths.h"
#include "SplitJob.h"

namespace parvane {

namespace {

namespace fs = std::filesystem;

std::string NewPrivateStem() {
    static std::atomic<unsigned long> counter{0};
    return ".parvane-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

// Everything the splitter may have made under the stem: stem itself or stem + extension.
std::vector<fs::path> PrivateFiles(const std::string& folder, const std::string& stem) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        const bool stemAndExtension = name.size() > stem.size() + 1 &&
                                      name.compare(0, stem.size(), stem) == 0 &&
                                      name[stem.size()] == '.';
        if (name == stem || stemAndExtension) {
            found.push_back(entry->path());
        }
    }
    return found;
}

void RemoveAll(const std::vector<fs::path>& files) {
    for (const fs::path& file : files) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
}

bool IsNonEmptyRegularFile(const fs::path& file) {
    std::error_code error;
    const auto status = fs::symlink_status(file, error);
    if (error || !fs::is_regular_file(status)) {
        return false;
    }
    const auto size = fs::file_size(file, error);
    return !error && size > 0;
}

}  // namespace

std::string OutputFolderOf(const std::string& piecePath) {
    const std::string folder = GetFolder(piecePath);
    if (folder.empty()) {
        return ".";
    }
    if (folder == "/") {
        return folder;
    }
    return folder.substr(0, folder.size() - 1);
}

PieceRun WritePiece(ProcessRunner& runner, const WaitHooks& hooks, const PieceRequest& request) {
    const std::string folder = OutputFolderOf(request.piecePath);
    const std::string stem = NewPrivateStem();

    PieceRun run;
    run.result = runner.Run(SplitterArguments(request.splitterPath, request.sourcePath,
                                              request.startStamp, request.endStamp, stem, folder),
                            kStyleHidden, hooks);
    std::vector<fs::path> made = PrivateFiles(folder, stem);

    if (IsStartFailure(run.result)) {
        run.outcome = PieceOutcome::StartFailed;
    } else if (hooks.stopRequested && hooks.stopRequested()) {
        run.outcome = PieceOutcome::Stopped;
    } else if (run.result == 0) {
        for (auto file = made.begin(); file != made.end(); ++file) {
            if (file->filename().string() != stem && IsNonEmptyRegularFile(*file) &&
                std::rename(file->c_str(), request.piecePath.c_str()) == 0) {
                made.erase(file);
                run.outcome = PieceOutcome::Written;
                break;
            }
        }
    }
    // A run past the end leaves nothing behind; one that had output it could not finish
    // or place, or that was killed, has lost audio that lies within the source.
    if (run.outcome == PieceOutcome::NotWritten && (!made.empty() || run.result == -1)) {
        run.outcome = PieceOutcome::Failed;
    }
    RemoveAll(made);
    return run;
}

}  // namespace parvane
