#include "framework/WorkerThread.h"

#include <system_error>

namespace torvin {

WorkerThread::~WorkerThread() {
    RequestStop();
    Join();
}

bool WorkerThread::Start(std::function<void()> body) {
    if (running_) {
        return false;
    }
    Join();
    stopRequested_ = false;
    running_ = true;
    try {
        thread_ = std::thread([this, run = std::move(body)] {
            run();
            running_ = false;
        });
    } catch (const std::system_error&) {
        running_ = false;
        return false;
    }
    return true;
}

void WorkerThread::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

}  // namespace torvin
