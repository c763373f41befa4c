#pragma once
// The real desktop's top-level windows, for the test whether the host runs.

#include "pets/HostLaunch.h"

namespace torvin {

class WinDesktopWindows final : public DesktopWindows {
  public:
    std::vector<TopWindow> TopWindowsInZOrder() override;
};

}  // namespace torvin
