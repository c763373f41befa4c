#include "app/PetSwapApp.h"

#include <winsock2.h>
#include <commctrl.h>

#include <string>

namespace torvin {

namespace {

std::wstring LoadText(HINSTANCE instance, UINT id, const wchar_t* fallback) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring(fallback);
}

}  // namespace

bool PetSwapApp::StartUp() {
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        const std::wstring text = LoadText(instance_, 103, L"Windows ｿｹｯﾄの初期化に失敗しました。");
        MessageBoxW(nullptr, text.c_str(), L"Torvin", MB_OK);
        return false;
    }
    socketsStarted_ = true;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    // A test for the mark, never an acquisition: the mutex is not waited on or owned.
    if (HANDLE existing = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kRunningMutexName)) {
        MessageBoxW(nullptr, L"既に起動されています。", L"Torvin", MB_OK);
        CloseHandle(existing);
        return false;
    }
    runningMutex_ = CreateMutexW(nullptr, FALSE, kRunningMutexName);
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
