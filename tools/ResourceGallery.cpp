// Shows every dialog template at once, laid out over the screen, for looking at the resources:
//   resource_gallery.exe [pink|blue|green|plain] [seconds] [id,id,...]
// With a tile named, the dialog bodies are painted with it and static texts drawn over it, close
// to how the skinned program looks. Without ids every template is shown. Ends after the given
// seconds (default 60) or when the last dialog is closed.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <cwchar>
#include <string_view>
#include <vector>

#include "framework/UniqueHandle.h"
#include "resources/resource.h"

namespace {

constexpr int kDialogIds[] = {IDD_PET_LIST,      IDD_ABOUT,      IDD_SETUP,        IDD_HOST_NOT_FOUND,
                              IDD_ADD_PET,       IDD_ERROR_CODE, IDD_HOST_RUNNING, IDD_NO_PET_SELECTED,
                              IDD_DUPLICATE_PET, IDD_FIRST_PET,  IDD_DELETE_PET,   IDD_MAIL_SETTINGS,
                              IDD_FORCE_STOP,    IDD_BACKGROUND, IDD_EXIT_NOTICE,  IDD_SKIN_LIST};

HBRUSH tileBrush = nullptr;
int openDialogs = 0;

INT_PTR CALLBACK GalleryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return FALSE;
        case WM_ERASEBKGND:
            if (tileBrush != nullptr) {
                RECT client{};
                GetClientRect(dialog, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, tileBrush);
                SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC:
            if (tileBrush != nullptr) {
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
            }
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(dialog);
            }
            return TRUE;
        case WM_DESTROY:
            if (--openDialogs == 0) {
                PostQuitMessage(0);
            }
            return FALSE;
        default:
            return FALSE;
    }
}

int TileFor(std::wstring_view name) {
    if (name == L"pink") {
        return IDB_TILE_PINK;
    }
    if (name == L"blue") {
        return IDB_TILE_BLUE;
    }
    if (name == L"green") {
        return IDB_TILE_GREEN;
    }
    return 0;
}

// Places the dialogs left to right in rows across the work area.
void LayOut(const std::vector<HWND>& dialogs) {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    int x = area.left;
    int y = area.top;
    int rowHeight = 0;
    for (HWND dialog : dialogs) {
        RECT frame{};
        GetWindowRect(dialog, &frame);
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        if (x + width > area.right && x > area.left) {
            x = area.left;
            y += rowHeight + 4;
            rowHeight = 0;
        }
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(dialog, SW_SHOWNOACTIVATE);
        x += width + 4;
        rowHeight = std::max(rowHeight, height);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const int tileId = argc > 1 ? TileFor(argv[1]) : 0;
    const UINT seconds = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 60u;
    std::vector<int> ids(std::begin(kDialogIds), std::end(kDialogIds));
    if (argc > 3) {
        ids.clear();
        for (const wchar_t* p = argv[3];;) {
            wchar_t* end = nullptr;
            const long id = std::wcstol(p, &end, 10);
            if (end == p) {
                break;
            }
            ids.push_back(static_cast<int>(id));
            if (*end != L',') {
                break;
            }
            p = end + 1;
        }
    }
    LocalFree(argv);

    torvin::UniqueBitmap tile;
    torvin::UniqueBrush brush;
    if (tileId != 0) {
        tile.Reset(static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(tileId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        brush.Reset(CreatePatternBrush(tile.Get()));
        tileBrush = brush.Get();
    }

    std::vector<HWND> dialogs;
    for (int id : ids) {
        HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(id), nullptr, GalleryDialogProc, 0);
        if (dialog != nullptr) {
            dialogs.push_back(dialog);
            ++openDialogs;
        }
    }
    if (dialogs.empty()) {
        return 1;
    }
    LayOut(dialogs);
    SetTimer(nullptr, 0, seconds * 1000u, nullptr);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr) {
            break;
        }
        if (!IsDialogMessageW(GetAncestor(message.hwnd, GA_ROOT), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    for (HWND dialog : dialogs) {
        if (IsWindow(dialog)) {
            DestroyWindow(dialog);
        }
    }
    tileBrush = nullptr;
    return 0;
}
