// What the system names an open object by, for the few classes whose users wait on one with
// the system's own call: a file descriptor for poll() on POSIX systems, a HANDLE for
// WaitForMultipleObjects() on Windows.
#pragma once

namespace parvane {

#ifdef _WIN32
using NativeHandle = void*;
inline constexpr NativeHandle kNoNativeHandle = nullptr;
#else
using NativeHandle = int;
inline constexpr NativeHandle kNoNativeHandle = -1;
#endif

}  // namespace parvane
