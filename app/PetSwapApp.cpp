#include "app/PetSwapApp.h"

#include <winsock2.h>
#include <commctrl.h>

#include <chrono>
#include <string>

#include "app/CommandLineLaunch.h"
#include "app/PetListDialog.h"
#include "framework/BlockingSocket.h"
#include "framework/ResourceText.h"
#include "pets/WinDesktopWindows.h"
#include "pets/WinHostStarter.h"
#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/WinFileSystem.h"

namespace torvin {

namespace {

constexpr std::chrono::milliseconds kLookupGrace{1000};

}  // namespace

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

    // Creating is the test, so two starts cannot both pass it. The mutex is never waited on or
    // owned; a first copy running elevated denies us access to it, which means running too.
    runningMutex_.Reset(CreateMutexW(nullptr, FALSE, kRunningMutexName));
    const DWORD created = GetLastError();
    if (created == ERROR_ALREADY_EXISTS || created == ERROR_ACCESS_DENIED || !runningMutex_) {
        if (request.kind == StartRequest::Kind::kLaunch) {
            HandOffLaunch(request.petName);
        } else {
            MessageBoxW(nullptr, LoadResourceText(instance_, IDS_ALREADY_RUNNING).c_str(), L"Torvin", MB_OK);
        }
        return false;
    }

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
    runningMutex_.Reset();
    // A lookup that a force stop left behind may still be inside the library. It gets a moment
    // to end; one still stuck (a slow name server) is left to the end of the process instead.
    if (socketsStarted_ && WaitForNameLookups(kLookupGrace)) {
        WSACleanup();
    }
    return 0;
}

}  // namespace torvin
