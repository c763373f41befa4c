#pragma once
// Runs one mail check pass on a worker thread. The cell updates wait in a queue the runner owns;
// the window is only woken (MailMessages.h) and takes them from here. The pass works on a copy of the
// accounts taken at start, so the worker never reads the settings record. A force stop wakes any blocked
// connect or receive at once and joins the worker without waiting for the server.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "framework/BlockingSocket.h"
#include "framework/WorkerThread.h"
#include "mail/MailAccount.h"
#include "mail/MailCheckPass.h"

namespace torvin {

struct MailCellUpdate {
    int pet = 0;
    MailCell cell;
};

struct MailCheckTimeouts {
    std::chrono::milliseconds connect{15'000};
    // Servers answer a wrong password slowly on purpose (up to about 17 s), so never less than 30 s
    // in the program.
    std::chrono::milliseconds reply{30'000};
};

class MailCheckRunner {
  public:
    explicit MailCheckRunner(HWND window, MailCheckTimeouts timeouts = {});
    ~MailCheckRunner();
    MailCheckRunner(const MailCheckRunner&) = delete;
    MailCheckRunner& operator=(const MailCheckRunner&) = delete;

    // False, and nothing starts, while a pass runs, when no TCP socket can be made (the probe),
    // or when the system refuses a thread. The caller then returns to its idle state itself.
    bool Start(std::vector<MailAccount> accounts);
    // Cancels the pass wherever it stands and returns once the worker has ended. Cell texts stop
    // at once; the end of the pass is still posted.
    void ForceStop();
    // True from a successful Start until the pass has ended (just before it posts that).
    bool Running() const { return passRunning_; }
    // Every cell update not yet taken, oldest first.
    std::vector<MailCellUpdate> TakeCellUpdates();

  private:
    void RunPass(const std::vector<MailAccount>& accounts);
    void Queue(MailCellUpdate update);

    HWND window_;
    MailCheckTimeouts timeouts_;
    std::atomic<bool> passRunning_{false};
    std::mutex queueLock_;
    std::deque<MailCellUpdate> queue_;
    // Declared before the worker so that it outlives the thread that uses it.
    std::unique_ptr<BlockingSocket> socket_;
    WorkerThread worker_;
};

}  // namespace torvin
