// A wish to stop that a waiting thread sleeps on: Request() sets it from any thread or from a
// signal handler, and its descriptor turns readable at once, so a poll() over the descriptor
// and whatever else the thread waits for wakes without a timeout. The descriptor stays
// readable until Reset(): a wait that starts after the request returns at once.
// Linux uses an eventfd, other systems a self-pipe; the build picks one.
#pragma once

#include <atomic>

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
    // Readable (POLLIN) once requested.
    int Descriptor() const noexcept { return readEnd_; }
    // Takes the request back for the next piece of work. Only where no Request() can race
    // with it: the owner requests and resets from one thread, and nobody waits meanwhile.
    void Reset() noexcept;

private:
    void MakeReadable() const noexcept;
    void Drain() const noexcept;

    // An eventfd is both ends at once.
    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::atomic<bool> requested_{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler sets it");
};

}  // namespace parvane
