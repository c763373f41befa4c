// The first floor of the start-up benchmark: a modal dialog from a template with the default
// dialog procedure's work only, started the same way as Torvin.exe.
#include <windows.h>

namespace {

constexpr int kBareDialogId = 100;

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kBareDialogId), nullptr, BareDialogProc, 0);
    return 0;
}
