// A wish to stop that a waiting thread sleeps on: Request() sets it from any thread or from a
// signal handler, and its handle turns ready at once, so a wait over the handle and whatever
// else the thread waits for wakes without a timeout. The handle stays ready until Reset(): a
// wait that starts after the request returns at once.
// Linux uses an eventfd, other POSIX systems a self-pipe (both readable when ready, for
// poll()), Windows an event object (signalled when ready); the build picks one.
#pragma once

#include <atomic>

#include "engine/process/NativeHandle.h"

namespace parvane {

class StopNotice {
public:
    // Throws std::system_error when the system gives no descriptor (none left to open).
    StopNotice();
    ~StopNotice();
    StopNotice(const StopNotice&) = delete;
    StopNotice& operator=(const StopNotice&) = delete;

    // Async-signal-safe and thread-safe; errno is left as found.
    void Request() noexcept;
    bool Requested() const noexcept { return requested_.load(); }
    // Readable (POLLIN), or signalled on Windows, once requested.
    NativeHandle Handle() const noexcept { return readEnd_; }
    // Takes the request back for the next piece of work. Only where no Request() can race
    // with it: the owner requests and resets from one thread, and nobody waits meanwhile.
    void Reset() noexcept;

private:
    void MakeReadable() const noexcept;
    void Drain() const noexcept;

    // An eventfd or an event object is both ends at once.
    NativeHandle readEnd_ = kNoNativeHandle;
    NativeHandle writeEnd_ = kNoNativeHandle;
    std::atomic<bool> requested_{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets it");
};

}  // namespace parvane
