#include "mail/MailCheckRunner.h"

#include <functional>
#include <utility>

#include "mail/MailMessages.h"
#include "mail/SocketPopConnection.h"

namespace torvin {

namespace {

class QueueingSink : public MailCellSink {
  public:
    QueueingSink(std::function<void(MailCellUpdate)> queue, const WorkerThread& worker)
        : queue_(std::move(queue)), worker_(worker) {}

    void Show(int pet, const MailCell& cell) override {
        // After a force stop the failures are of our own making; they are not shown.
        if (!worker_.StopRequested()) {
            queue_(MailCellUpdate{pet, cell});
        }
    }

  private:
    std::function<void(MailCellUpdate)> queue_;
    const WorkerThread& worker_;
};

}  // namespace

MailCheckRunner::MailCheckRunner(HWND window, MailCheckTimeouts timeouts)
    : window_(window), timeouts_(timeouts) {}

MailCheckRunner::~MailCheckRunner() {
    ForceStop();
}

bool MailCheckRunner::Start(std::vector<MailAccount> accounts) {
    if (passRunning_ || !CanCreateTcpSocket()) {
        return false;
    }
    worker_.Join();
    socket_ = std::make_unique<BlockingSocket>(timeouts_.connect, timeouts_.reply);
    passRunning_ = true;
    if (!worker_.Start([this, snapshot = std::move(accounts)] { RunPass(snapshot); })) {
        passRunning_ = false;
        return false;
    }
    return true;
}

void MailCheckRunner::RunPass(const std::vector<MailAccount>& accounts) {
    SocketPopConnection connection(*socket_);
    QueueingSink sink([this](MailCellUpdate update) { Queue(update); }, worker_);
    // Whether a failure ended the pass early changes nothing for the window.
    RunMailCheckPass(accounts, connection, sink);
    connection.Close();
    passRunning_ = false;
    PostMessageW(window_, kMailPassEndedMessage, 0, 0);
}

void MailCheckRunner::Queue(MailCellUpdate update) {
    bool wasEmpty = false;
    {
        const std::lock_guard lock(queueLock_);
        wasEmpty = queue_.empty();
        queue_.push_back(update);
    }
    // One wake-up while updates wait is enough; if it is lost, the end of the pass drains them.
    if (wasEmpty) {
        PostMessageW(window_, kMailCellsWaitingMessage, 0, 0);
    }
}

std::vector<MailCellUpdate> MailCheckRunner::TakeCellUpdates() {
    const std::lock_guard lock(queueLock_);
    std::vector<MailCellUpdate> taken(queue_.begin(), queue_.end());
    queue_.clear();
    return taken;
}

void MailCheckRunner::ForceStop() {
    worker_.RequestStop();
    if (socket_) {
        socket_->Cancel();
    }
    worker_.Join();
}

}  // namespace torvin
