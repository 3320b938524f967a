// Times the add-folder command (scan and append to a shown list) against
// `find DIR -iname '*.mp3'` on the same generated trees, and measures the longest time
// the window's thread goes without its events being handled.

#include <QApplication>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdlib.h>
#include <string>
#include <thread>
#include <vector>

#include "filelist/AddCommands.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
    return std::chrono::duration<double, std::milli>(span).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Touch(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) close(fd);
}

// 10 folders, each with 9, each of those with 10: 1,000 folders below the root, four
// levels counting the root, 100 files in each, so 100,000 files. mp3Every = 10 makes one
// in ten an MP3 file (some with an upper-case extension), 1 makes all of them MP3 files.
std::string MakeTree(int mp3Every) {
    std::string root = (std::filesystem::temp_directory_path() / "parvane-bench-XXXXXX").string();
    if (mkdtemp(root.data()) == nullptr) return {};
    int made = 0;
    const auto fill = [&](const std::string& folder) {
        std::filesystem::create_directories(folder);
        for (int f = 0; f < 100; ++f, ++made) {
            const bool mp3 = made % mp3Every == 0;
            const char* extension = !mp3 ? ".txt" : (f % 3 == 0 ? ".MP3" : ".mp3");
            Touch(folder + "/Track " + std::to_string(f) + extension);
        }
    };
    for (int a = 0; a < 10; ++a) {
        const std::string levelA = root + "/Artist " + std::to_string(a);
        fill(levelA);
        for (int b = 0; b < 9; ++b) {
            const std::string levelB = levelA + "/album " + std::to_string(b);
            fill(levelB);
            for (int c = 0; c < 10; ++c) fill(levelB + "/Disc " + std::to_string(c));
        }
    }
    return root;
}

double TimeFind(const std::string& root) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = "find", pattern = "-iname", glob = "*.mp3", folder = root;
    char* argv[] = {program.data(), folder.data(), pattern.data(), glob.data(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    double elapsed = -1;
    if (posix_spawnp(&pid, "find", &actions, nullptr, argv, environ) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        elapsed = Milliseconds(Clock::now() - start);
    }
    posix_spawn_file_actions_destroy(&actions);
    return elapsed;
}

struct CommandRun {
    double milliseconds = 0;
    double longestGap = 0;
    int entries = 0;
};

// As the window runs the command: the scan on a thread of its own while the window's
// thread handles its events, then the found files appended to the shown list there. The
// gaps are the times the window's thread goes without handling its events.
CommandRun TimeCommand(const std::string& root, parvane::FileListView& view) {
    parvane::FileListModel list;
    view.SetFileList(&list);
    CommandRun run;
    const auto start = Clock::now();
    std::atomic<bool> scanned = false;
    QStringList found;
    std::thread scan([&] {
        found = parvane::FindFolderTreeFiles(QString::fromStdString(root), {}).paths;
        scanned = true;
    });
    Clock::time_point lastServed = Clock::now();
    const auto serve = [&] {
        QCoreApplication::processEvents();
        run.longestGap = std::max(run.longestGap, Milliseconds(Clock::now() - lastServed));
        lastServed = Clock::now();
    };
    while (!scanned) serve();
    scan.join();
    list.AppendMany(found);
    serve();
    run.milliseconds = Milliseconds(Clock::now() - start);
    run.entries = list.Count();
    view.SetFileList(nullptr);
    return run;
}

void Compare(const char* title, const std::string& root, parvane::FileListView& view, int runs) {
    TimeFind(root);
    TimeCommand(root, view);
    std::vector<double> command, find;
    double longestGap = 0;
    int entries = 0;
    for (int i = 0; i < runs; ++i) {
        const CommandRun run = TimeCommand(root, view);
        command.push_back(run.milliseconds);
        longestGap = std::max(longestGap, run.longestGap);
        entries = run.entries;
        find.push_back(TimeFind(root));
    }
    const double commandMedian = Median(command);
    const double findMedian = Median(find);
    std::printf("%s\n", title);
    std::printf("  entries appended            %d\n", entries);
    std::printf("  scan + append (median)      %8.1f ms\n", commandMedian);
    std::printf("  find -iname '*.mp3' (median)%8.1f ms\n", findMedian);
    std::printf("  ratio                       %8.2f (target <= 1.5)\n",
                commandMedian / findMedian);
    std::printf("  longest gap between events  %8.1f ms (target <= 100)\n", longestGap);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    std::printf("Generating two trees of 100,000 files in 1,000 folders over 4 levels...\n");
    const std::string tenth = MakeTree(10);
    const std::string all = MakeTree(1);
    if (tenth.empty() || all.empty()) {
        std::fprintf(stderr, "could not create the trees\n");
        return 1;
    }

    parvane::FileListView view;
    view.resize(500, 120);
    view.show();
    Compare("One file in ten an MP3 file:", tenth, view, runs);
    Compare("Every file an MP3 file:", all, view, runs);

    std::error_code ignored;
    std::filesystem::remove_all(tenth, ignored);
    std::filesystem::remove_all(all, ignored);
    return 0;
}
