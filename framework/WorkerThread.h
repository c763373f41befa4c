#pragma once
// Owns one joinable worker thread with a stop request the body polls. The owner joins before it
// goes away, so the body never outlives what it uses.

#include <atomic>
#include <functional>
#include <thread>

namespace torvin {

class WorkerThread {
  public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Joins a finished earlier run first. False while a body still runs or when the system
    // refuses a new thread.
    bool Start(std::function<void()> body);
    void RequestStop() { stopRequested_ = true; }
    bool StopRequested() const { return stopRequested_; }
    // True from Start until the body has returned.
    bool Running() const { return running_; }
    void Join();

  private:
    std::thread thread_;
    std::atomic<bool> stopRequested_{false};
    std::atomic<bool> running_{false};
};

}  // namespace torvin
