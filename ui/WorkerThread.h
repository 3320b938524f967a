// One piece of long work off the window's thread, so the window keeps painting and
// answering while it runs; the work looks at the stop notice, or sleeps on it, and hands its
// results back as queued signals.
#pragma once

#include <functional>
#include <thread>

#include "engine/process/StopNotice.h"

namespace parvane {

class WorkerThread {
public:
    WorkerThread() = default;
    // Asks the work to stop and waits for it: nothing runs on past its owner.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Waits for earlier work first. Only from the thread that owns this one.
    void Start(std::function<void()> work);
    // Returns at once; the work notices it at its next look, or wakes if it sleeps on it.
    void RequestStop() { stop_.Request(); }
    bool StopRequested() const { return stop_.Requested(); }
    const StopNotice& Notice() const { return stop_; }
    void Wait();

private:
    std::thread thread_;
    StopNotice stop_;
};

}  // namespace parvane
