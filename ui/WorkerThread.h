// One piece of long work off the window's thread, so the window keeps painting and
// answering while it runs; the work looks at the stop flag and hands its results back as
// queued signals.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace parvane {

class WorkerThread {
public:
    WorkerThread() = default;
    // Asks the work to stop and waits for it: nothing runs on past its owner.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Waits for earlier work first.
    void Start(std::function<void()> work);
    // Returns at once; the work notices it at its next look.
    void RequestStop() { stop_ = true; }
    bool StopRequested() const { return stop_; }
    void Wait();

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
};

}  // namespace parvane
