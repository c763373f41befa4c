// A stand-in for the host program, for tests and the demo. Like the real host it keeps its
// one settings file "Nimbrel設定.nbc" beside its exe and shows a visible window whose title
// starts with "Nimbrel". The title shows the first line of the settings file, so a look tells
// whose file is in place; closing the window appends one line "session N" to the file.
// NIMBREL_READY_DELAY_MS delays the window (and so readiness for input) for slow-start tests;
// NIMBREL_HIDDEN keeps the window hidden, as a host that sits in the notification area.
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::wstring SettingsPath() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path = exe;
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"Nimbrel\u8a2d\u5b9a.nbc";
}

std::string ReadSettings() {
    std::ifstream in(SettingsPath().c_str(), std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

void AppendSession() {
    const std::string content = ReadSettings();
    int sessions = 0;
    for (std::size_t at = content.find("session "); at != std::string::npos;
         at = content.find("session ", at + 1)) {
        ++sessions;
    }
    std::ofstream out(SettingsPath().c_str(), std::ios::binary | std::ios::app);
    out << "session " << sessions + 1 << "\r\n";
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        AppendSession();
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring Title() {
    std::string first = ReadSettings();
    first = first.substr(0, first.find_first_of("\r\n"));
    if (first.empty()) {
        first = "(no settings file)";
    }
    const int length = MultiByteToWideChar(932, 0, first.data(), static_cast<int>(first.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, first.data(), static_cast<int>(first.size()), wide.data(), length);
    return L"Nimbrel - " + wide;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (const char* delay = std::getenv("NIMBREL_READY_DELAY_MS")) {
        Sleep(static_cast<DWORD>(std::strtoul(delay, nullptr, 10)));
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"NimbrelStandIn";
    RegisterClassW(&windowClass);
    const DWORD visible = std::getenv("NIMBREL_HIDDEN") != nullptr ? 0 : WS_VISIBLE;
    HWND window = CreateWindowW(L"NimbrelStandIn", Title().c_str(), WS_OVERLAPPEDWINDOW | visible, 40, 40,
                                420, 160, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
