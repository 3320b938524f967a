#include "engine/process/ProgramFolders.h"

#include <vector>

#include "engine/names/PiecePaths.h"
#include "engine/platform/windows/WindowsText.h"

namespace parvane {

namespace {

// GetModuleFileNameW cuts a long name short without an error of its own.
std::string ModulePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return Utf8Path(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string ExecutableFolder() {
    const std::string path = ModulePath();
    return path.find('/') == std::string::npos ? std::string() : GetFolderWithoutSlash(path);
}

std::string CurrentFolderPath(int& error) {
    const DWORD needed = ::GetCurrentDirectoryW(0, nullptr);
    std::vector<wchar_t> buffer(needed + 1);
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (needed == 0 || length == 0 || length >= buffer.size()) {
        error = LastErrno();
        return {};
    }
    error = 0;
    std::string path = Utf8Path(buffer.data(), length);
    // A drive's root comes with its closing slash, which no other folder has.
    if (path.size() > 3 && path.ends_with('/')) {
        path.pop_back();
    }
    return path;
}

}  // namespace parvane
