#pragma once
// The real desktop's top-level windows and processes, for the test whether the host runs.

#include "pets/HostLaunch.h"

namespace torvin {

class WinDesktopWindows final : public DesktopWindows {
  public:
    std::vector<TopWindow> TopWindowsInZOrder() override;
    bool RunsImage(const std::string& exePath) override;
};

}  // namespace torvin
