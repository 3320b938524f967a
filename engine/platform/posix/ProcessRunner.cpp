#include "engine/process/ProcessRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <stdlib.h>

#include "engine/files/FileDescriptor.h"
#include "engine/process/ChildWait.h"

extern char** environ;

namespace parvane {

namespace {

// Room for a reason followed by long progress output, yet bounded.
constexpr off_t kErrorTailBytes = 1 << 20;

// A nameless scratch file for the child's standard error: the child may write as much as
// it likes without ever blocking, and nothing can be left behind in the temporary folder.
// Where the file system makes no nameless files, a named one is unlinked at once. -1 when
// none can be made; the child then writes to /dev/null.
int OpenErrorCapture() {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        folder = "/tmp";
    }
    if (const int nameless = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        nameless >= 0) {
        return nameless;
    }
    std::string pattern = (folder / "parvane-stderr-XXXXXX").string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd >= 0) {
        ::unlink(pattern.c_str());
    }
    return fd;
}

std::string ReadTail(int fd) {
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        return {};
    }
    const off_t start = std::max<off_t>(0, info.st_size - kErrorTailBytes);
    std::string tail(static_cast<std::size_t>(info.st_size - start), '\0');
    const ssize_t got = ::pread(fd, tail.data(), tail.size(), start);
    tail.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return tail;
}

// Input and output from and to /dev/null, errors to the capture file.
class SpawnFileActions {
public:
    explicit SpawnFileActions(int errorCapture) {
        ::posix_spawn_file_actions_init(&actions_);
        ::posix_spawn_file_actions_addopen(&actions_, 0, "/dev/null", O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        if (errorCapture >= 0) {
            ::posix_spawn_file_actions_adddup2(&actions_, errorCapture, 2);
        } else {
            ::posix_spawn_file_actions_addopen(&actions_, 2, "/dev/null", O_WRONLY, 0);
        }
    }
    ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&actions_); }
    SpawnFileActions(const SpawnFileActions&) = delete;
    SpawnFileActions& operator=(const SpawnFileActions&) = delete;
    const posix_spawn_file_actions_t* get() const { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
};

// The child starts with no blocked signals and with the default action for the signals
// that end it or report its own children, whatever this process has set up for itself. It
// leads a process group of its own, so a stop reaches whatever it starts in turn.
class SpawnAttributes {
public:
    SpawnAttributes() {
        ::posix_spawnattr_init(&attributes_);
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (const int signal : {SIGINT, SIGTERM, SIGPIPE, SIGCHLD}) {
            sigaddset(&defaults, signal);
        }
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &defaults);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        ::posix_spawnattr_setflags(
            &attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_{};
};

// Asks the child's whole group to end, gives it a moment to tidy up, then insists on
// whatever of the group is left.
void EndChild(pid_t pid, int endDescriptor) {
    ::kill(-pid, SIGTERM);
    ChildEndsWithin(pid, endDescriptor, std::chrono::seconds(2));
    ::kill(-pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

RunResult FromWaitStatus(int status) {
    if (WIFEXITED(status)) {
        return {RunResult::Ending::Exited, WEXITSTATUS(status), {}};
    }
    if (WIFSIGNALED(status)) {
        return {RunResult::Ending::KilledBySignal, WTERMSIG(status), {}};
    }
    return {RunResult::Ending::WaitFailed, 0, {}};
}

}  // namespace

RunResult RunAndWait(const std::vector<std::string>& argv, const WaitHooks& hooks) {
    if (argv.empty()) {
        return {RunResult::Ending::CouldNotStart, EINVAL, {}};
    }
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

    const int errorCapture = OpenErrorCapture();
    const SpawnFileActions actions(errorCapture);
    const SpawnAttributes attributes;
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, arguments[0], actions.get(), attributes.get(),
                                    arguments.data(), environ);
    RunResult result;
    if (error != 0) {
        result = {RunResult::Ending::CouldNotStart, error, {}};
    } else {
        const FileDescriptor childEnd(OpenChildEndDescriptor(pid));
        const ChildWaitResult waited = WaitForChild(pid, childEnd.get(), hooks);
        switch (waited.kind) {
            case ChildWaitResult::Kind::Ended:
                result = FromWaitStatus(waited.value);
                break;
            case ChildWaitResult::Kind::Stopped:
                EndChild(pid, childEnd.get());
                result = {RunResult::Ending::StoppedByUs, 0, {}};
                break;
            case ChildWaitResult::Kind::Failed:
                result = {RunResult::Ending::WaitFailed, waited.value, {}};
                break;
        }
    }
    result.errorTail = ReadTail(errorCapture);
    if (errorCapture >= 0) {
        ::close(errorCapture);
    }
    return result;
}

}  // namespace parvane
