#pragma once
// The application object: prepares sockets, keeps a second copy from running, runs the main
// window modally and gives up the single-instance mark at exit.

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace torvin {

inline constexpr wchar_t kRunningMutexName[] = L"TORVIN_RUNNING";

class PetSwapApp {
  public:
    explicit PetSwapApp(HINSTANCE instance) : instance_(instance) {}
    PetSwapApp(const PetSwapApp&) = delete;
    PetSwapApp& operator=(const PetSwapApp&) = delete;

    // Runs the whole program; false tells the caller to shut down at once.
    bool StartUp();
    // Returns the process exit code.
    int ShutDown();

  private:
    HINSTANCE instance_;
    // The single-instance mark, held until shutdown.
    UniqueKernelHandle runningMutex_;
    bool socketsStarted_ = false;
};

}  // namespace torvin
