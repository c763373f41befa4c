#include "app/PetSwapApp.h"

#include <winsock2.h>
#include <commctrl.h>

#include <string>

#include "app/CommandLineLaunch.h"
#include "app/PetListDialog.h"
#include "framework/ResourceText.h"
#include "pets/WinDesktopWindows.h"
#include "pets/WinHostStarter.h"
#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/WinFileSystem.h"

namespace torvin {

bool PetSwapApp::StartUp() {
    // A wrong command line is answered before anything is touched.
    const StartRequest request = ReadStartRequest();
    if (request.kind == StartRequest::Kind::kRefused) {
        return false;
    }
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        MessageBoxW(nullptr, LoadResourceText(instance_, IDS_SOCKET_FAILED).c_str(), L"Torvin", MB_OK);
        return false;
    }
    socketsStarted_ = true;

    // Control hosting (OLE) is started by the folder browser, its only user, when it opens.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // A test for the mark, never an acquisition: the mutex is not waited on or owned.
    if (HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kRunningMutexName)) {
        if (request.kind == StartRequest::Kind::kLaunch) {
            HandOffLaunch(request.petName);
        } else {
            MessageBoxW(nullptr, L"既に起動されています。", L"Torvin", MB_OK);
        }
        CloseHandle(existing);
        return false;
    }
    runningMutex_ = CreateMutexW(nullptr, FALSE, kRunningMutexName);

    WinDesktopWindows desktop;
    WinHostStarter hostStarter;
    if (request.kind == StartRequest::Kind::kLaunch) {
        LaunchWithoutWindow(request.petName, RealFileSystem(), Settings(), desktop, hostStarter);
        return false;
    }
    PetListDialog mainWindow(RealFileSystem(), Settings(), desktop, hostStarter);
    mainWindow.RunModal();
    return false;
}

int PetSwapApp::ShutDown() {
    if (runningMutex_ != nullptr) {
        ReleaseMutex(runningMutex_);
    }
    if (socketsStarted_) {
        WSACleanup();
    }
    return 0;
}

}  // namespace torvin
