#include "ui/WorkerThread.h"

#include <utility>

namespace parvane {

WorkerThread::~WorkerThread() {
    RequestStop();
    Wait();
}

void WorkerThread::Start(std::function<void()> work) {
    Wait();
    stop_.Reset();
    thread_ = std::thread(std::move(work));
}

void WorkerThread::Wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace parvane
