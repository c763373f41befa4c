#include "mail/MailCheckRunner.h"

#include "mail/MailMessages.h"
#include "mail/SocketPopConnection.h"

namespace torvin {

namespace {

class PostingSink : public MailCellSink {
  public:
    PostingSink(HWND window, const WorkerThread& worker) : window_(window), worker_(worker) {}

    void Show(int pet, const MailCell& cell) override {
        // After a force stop the failures are of our own making; they are not shown.
        if (worker_.StopRequested()) {
            return;
        }
        auto update = std::make_unique<MailCellUpdate>(MailCellUpdate{pet, cell});
        if (PostMessageW(window_, kMailCellMessage, 0, reinterpret_cast<LPARAM>(update.get()))) {
            static_cast<void>(update.release());
        }
    }

  private:
    HWND window_;
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
    PostingSink sink(window_, worker_);
    const bool wentThroughAll = RunMailCheckPass(accounts, connection, sink);
    connection.Close();
    passRunning_ = false;
    PostMessageW(window_, kMailPassEndedMessage, wentThroughAll ? TRUE : FALSE, 0);
}

void MailCheckRunner::ForceStop() {
    worker_.RequestStop();
    if (socket_) {
        socket_->Cancel();
    }
    worker_.Join();
}

}  // namespace torvin
