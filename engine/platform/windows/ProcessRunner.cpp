#include "engine/process/ProcessRunner.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>

#include "engine/platform/windows/WindowsText.h"
#include "engine/process/StopNotice.h"

namespace parvane {

namespace {

// Room for a reason followed by long progress output, yet bounded.
constexpr LONGLONG kErrorTailBytes = 1 << 20;

// One argument as the C runtime of the child splits its command line again: quoted when it
// is empty or holds a blank or a quote, with the backslashes before a quote doubled.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

std::wstring WideArgument(const std::string& utf8) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::wstring CommandLine(const std::vector<std::string>& argv) {
    std::wstring line;
    for (const std::string& argument : argv) {
        if (!line.empty()) {
            line += L' ';
        }
        AppendQuoted(line, WideArgument(argument));
    }
    return line;
}

SECURITY_ATTRIBUTES Inheritable() {
    return SECURITY_ATTRIBUTES{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
}

// A scratch file for the child's standard error that goes with its last handle: the child may
// write as much as it likes without blocking, and nothing is left in the temporary folder.
OwnedHandle OpenErrorCapture() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        return {};
    }
    wchar_t name[MAX_PATH + 1]{};
    if (::GetTempFileNameW(folder.c_str(), L"pvn", 0, name) == 0) {
        return {};
    }
    SECURITY_ATTRIBUTES attributes = Inheritable();
    return OwnedHandle(::CreateFileW(
        name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        &attributes, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

OwnedHandle OpenNothing(DWORD access) {
    SECURITY_ATTRIBUTES attributes = Inheritable();
    return OwnedHandle(::CreateFileW(L"NUL", access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     &attributes, OPEN_EXISTING, 0, nullptr));
}

std::string ReadTail(HANDLE capture) {
    LARGE_INTEGER size{};
    if (capture == INVALID_HANDLE_VALUE || !::GetFileSizeEx(capture, &size)) {
        return {};
    }
    const LONGLONG start = std::max<LONGLONG>(0, size.QuadPart - kErrorTailBytes);
    std::string tail(static_cast<std::size_t>(size.QuadPart - start), '\0');
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(start);
    DWORD got = 0;
    if (tail.empty() ||
        !::ReadFile(capture, tail.data(), static_cast<DWORD>(tail.size()), &got, &at)) {
        return {};
    }
    tail.resize(got);
    return tail;
}

// Only the three standard handles pass to the child, whatever other inheritable handles
// other threads hold at the moment.
class InheritedHandles {
public:
    explicit InheritedHandles(HANDLE* handles, std::size_t count)
        : handles_(handles), count_(count) {
        SIZE_T size = 0;
        ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        storage_ = std::make_unique<char[]>(size);
        list_ = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.get());
        ready_ = ::InitializeProcThreadAttributeList(list_, 1, 0, &size) &&
                 ::UpdateProcThreadAttribute(list_, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles_,
                                             count_ * sizeof(HANDLE), nullptr, nullptr);
    }
    ~InheritedHandles() { ::DeleteProcThreadAttributeList(list_); }
    InheritedHandles(const InheritedHandles&) = delete;
    InheritedHandles& operator=(const InheritedHandles&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST get() const { return ready_ ? list_ : nullptr; }

private:
    HANDLE* handles_;
    std::size_t count_;
    std::unique_ptr<char[]> storage_;
    LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
    bool ready_ = false;
};

// A job object that ends everything in it when its last handle closes, so a stop, and our
// own end, reach whatever the splitter starts in turn.
OwnedHandle MakeJob() {
    OwnedHandle job(::CreateJobObjectW(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job.get() == nullptr ||
        !::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                                   sizeof limits)) {
        return {};
    }
    return job;
}

// One wait, without a timeout, on the child's end and the stop notice. A closed output is
// left to the next write to tell: Windows has nothing to wait on for a pipe's reader going.
RunResult Await(HANDLE process, HANDLE job, const WaitHooks& hooks) {
    const HANDLE watched[] = {process, hooks.stop != nullptr ? hooks.stop->Handle() : nullptr};
    const DWORD count = watched[1] != nullptr ? 2 : 1;
    const DWORD waited = ::WaitForMultipleObjects(count, watched, FALSE, INFINITE);
    // The child's end comes first in the array, so it wins when both are there.
    if (waited == WAIT_OBJECT_0) {
        DWORD code = 0;
        if (!::GetExitCodeProcess(process, &code)) {
            return {RunResult::Ending::WaitFailed, LastErrno(), {}};
        }
        return {RunResult::Ending::Exited, static_cast<int>(code), {}};
    }
    if (waited != WAIT_OBJECT_0 + 1) {
        return {RunResult::Ending::WaitFailed, LastErrno(), {}};
    }
    // A console program without a console of its own takes no gentler request.
    ::TerminateJobObject(job, 1);
    ::WaitForSingleObject(process, INFINITE);
    return {RunResult::Ending::StoppedByUs, 0, {}};
}

}  // namespace

RunResult RunAndWait(const std::vector<std::string>& argv, const WaitHooks& hooks) {
    if (argv.empty()) {
        return {RunResult::Ending::CouldNotStart, EINVAL, {}};
    }
    const OwnedHandle input = OpenNothing(GENERIC_READ);
    const OwnedHandle output = OpenNothing(GENERIC_WRITE);
    const OwnedHandle capture = OpenErrorCapture();
    const OwnedHandle errorOutput = capture.Valid() ? OwnedHandle() : OpenNothing(GENERIC_WRITE);
    const HANDLE errors = capture.Valid() ? capture.get() : errorOutput.get();
    HANDLE passed[] = {input.get(), output.get(), errors};
    const InheritedHandles inherited(passed, 3);
    const OwnedHandle job = MakeJob();
    if (!input.Valid() || !output.Valid() || inherited.get() == nullptr || !job.Valid()) {
        return {RunResult::Ending::CouldNotStart, LastErrno(), {}};
    }

    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.get();
    startup.StartupInfo.hStdOutput = output.get();
    startup.StartupInfo.hStdError = errors;
    startup.lpAttributeList = inherited.get();
    std::wstring line = CommandLine(argv);
    const std::wstring program = WidePath(argv[0]);
    PROCESS_INFORMATION started{};
    // Suspended until it is in the job, so nothing it starts escapes the job.
    const DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT |
                        EXTENDED_STARTUPINFO_PRESENT;
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, flags, nullptr,
                          nullptr, &startup.StartupInfo, &started)) {
        return {RunResult::Ending::CouldNotStart, LastErrno(), {}};
    }
    const OwnedHandle process(started.hProcess);
    const OwnedHandle thread(started.hThread);
    if (!::AssignProcessToJobObject(job.get(), process.get())) {
        const int error = LastErrno();
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), INFINITE);
        return {RunResult::Ending::CouldNotStart, error, {}};
    }
    ::ResumeThread(thread.get());
    RunResult result = Await(process.get(), job.get(), hooks);
    result.errorTail = ReadTail(capture.get());
    return result;
}

}  // namespace parvane
