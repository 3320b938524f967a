// The edge between the engine, which holds every name as UTF-8 with "/" between folders, and
// Windows' wide-character calls; shared by the Windows code of the rooms and never seen
// outside platform/.
#pragma once

#include <windows.h>

#include <string>

namespace parvane {

// The UTF-8 path as Windows takes it; empty when it is no valid UTF-8.
std::wstring WidePath(const std::string& utf8);

// A name Windows gave, in UTF-8 with "/" for every "\".
std::string Utf8Path(const wchar_t* wide, std::size_t length);

// The errno closest to what a Windows error code says, so the words of the reports stay
// the same on every system.
int ErrnoFromWindows(DWORD error);

// ErrnoFromWindows of the calling thread's last error.
int LastErrno();

// A handle that is closed when it goes out of scope.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    ~OwnedHandle() { Close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = other.Release();
        }
        return *this;
    }
    HANDLE get() const { return handle_; }
    bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Release() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    void Close() {
        if (Valid()) {
            ::CloseHandle(handle_);
        }
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace parvane
