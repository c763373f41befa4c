#pragma once
// Starting the real host process.

#include <chrono>

#include "pets/HostLaunch.h"

namespace torvin {

class WinHostStarter final : public HostStarter {
  public:
    // The host may be slow to come up, but the window must not hang for ever on a host that
    // never becomes ready.
    explicit WinHostStarter(std::chrono::milliseconds readyWait = std::chrono::seconds(60))
        : readyWait_(readyWait) {}
    bool Start(const std::string& exePath) override;

  private:
    std::chrono::milliseconds readyWait_;
};

}  // namespace torvin
