// The fair floor of the start-up benchmark: the bare dialog plus what Torvin cannot start
// without, a filled report list view (comctl32) and a started socket layer (ws2_32).
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr int kListDialogId = 101, kListId = 1000, kRows = 5;

void FillList(HWND list) {
    wchar_t heading[] = L"Column";
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = heading;
    column.cx = 150;
    for (int i = 0; i < 2; ++i) {
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    wchar_t text[] = L"row";
    for (int i = 0; i < kRows; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
}

INT_PTR CALLBACK ListDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        FillList(GetDlgItem(dialog, kListId));
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
    WSADATA data{};
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kListDialogId), nullptr, ListDialogProc, 0);
    WSACleanup();
    return 0;
}
