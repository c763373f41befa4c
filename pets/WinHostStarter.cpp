#include "pets/WinHostStarter.h"

#include <windows.h>

#include "framework/CodePage.h"
#include "framework/UniqueHandle.h"

namespace torvin {

bool WinHostStarter::Start(const std::string& exePath) {
    const std::wstring application = WidenCp932(exePath);
    // The quoted path as the command line, so a folder with blanks cannot be read as another program.
    std::wstring commandLine = L"\"" + application + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No handles are inherited: the host has no use for Torvin's files or sockets. The current
    // directory stays Torvin's own, as the host has always been started.
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    UniqueKernelHandle processHandle(process.hProcess);
    UniqueKernelHandle threadHandle(process.hThread);
    WaitForInputIdle(processHandle.Get(), static_cast<DWORD>(readyWait_.count()));
    return true;
}

}  // namespace torvin
