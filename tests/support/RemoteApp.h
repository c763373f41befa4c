#pragma once
// Drives a real program from outside, as a user would: starts it in a working folder with a
// command line, finds its
// windows, presses buttons by control id and reads texts and list cells from its process.

#include <windows.h>

#include <functional>
#include <string>

namespace torvin::test {

// A path handed over by the build system (a Linux path under Wine) as a Windows path.
std::wstring WindowsPathOf(const char* buildPath);

class RemoteApp {
  public:
    RemoteApp(const std::wstring& exe, const std::wstring& workingFolder,
              const std::wstring& arguments = L"");
    ~RemoteApp();
    RemoteApp(const RemoteApp&) = delete;
    RemoteApp& operator=(const RemoteApp&) = delete;

    // Waits for a visible top-level window of the process that the predicate accepts.
    HWND WaitForWindow(const std::function<bool(HWND)>& accept, DWORD timeoutMs = 30000) const;
    // A visible top-level window of the process that has a child showing this text.
    HWND WaitForWindowWithText(const std::wstring& text, DWORD timeoutMs = 30000) const;
    bool WaitForExit(DWORD timeoutMs = 30000) const;
    void Kill();

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// Whether a child of the window shows the text, within its own text.
bool HasChildWithText(HWND window, const std::wstring& text);
HWND FindChildOfClass(HWND window, const std::wstring& className);
// Sends a message whose LPARAM points to a text, placed in the receiving process's memory.
LRESULT SendWithRemoteText(HWND window, UINT message, WPARAM wParam, const std::wstring& text);
std::wstring WindowText(HWND window);
// Presses a button of a dialog without waiting for what the press starts (it may open a modal).
void PressButton(HWND dialog, int id);
int ListCount(HWND list);
// Reads one cell of a list view in another process through memory of that process.
std::wstring ListCell(HWND list, int row, int column);
// The text of a tree view's selected item in another process.
std::wstring TreeSelectionText(HWND tree);
// Selects only the row; -1 leaves no row selected.
void SelectListRow(HWND list, int row);
// Waits until the predicate holds, polling; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

}  // namespace torvin::test
