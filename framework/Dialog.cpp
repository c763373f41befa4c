#include "framework/Dialog.h"

#include <exception>
#include <utility>

#include "framework/AppMessages.h"
#include "framework/CodePage.h"

namespace torvin {

namespace {

HWND& DefaultOwner() {
    static HWND owner = nullptr;
    return owner;
}

Dialog::ModalObserver& Observer() {
    static Dialog::ModalObserver observer;
    return observer;
}

void ReportStray(const char* what) {
    OutputDebugStringA("Torvin: exception in a dialog handler: ");
    OutputDebugStringA(what);
    OutputDebugStringA("\n");
}

}  // namespace

Dialog::Dialog(int templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (window_ != nullptr && !modal_) {
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        DestroyWindow(window_);
    }
}

INT_PTR Dialog::RunModal() {
    modal_ = true;
    ended_ = false;
    HWND owner = parent_ != nullptr ? parent_ : DefaultOwner();
    if (owner != nullptr && !IsWindow(owner)) {
        owner = nullptr;
    }
    result_ = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                              reinterpret_cast<LPARAM>(this));
    ended_ = true;
    return result_;
}

HWND Dialog::CreateModeless() {
    modal_ = false;
    ended_ = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent_, Procedure,
                              reinterpret_cast<LPARAM>(this));
}

void Dialog::End(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (modal_) {
        EndDialog(window_, result);
    } else {
        ShowWindow(window_, SW_HIDE);
    }
}

void Dialog::Click(int id) const {
    SendMessageW(Item(id), BM_CLICK, 0, 0);
}

void Dialog::SetDefaultOwner(HWND owner) {
    DefaultOwner() = owner;
}

Dialog::ModalObserver Dialog::SetModalObserver(ModalObserver observer) {
    return std::exchange(Observer(), std::move(observer));
}

std::wstring Dialog::ItemText(int id) const {
    HWND item = Item(id);
    const int length = GetWindowTextLengthW(item);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(item, text.data(), length + 1)));
    return text;
}

std::optional<std::string> Dialog::ItemTextCp932(int id) const {
    return NarrowCp932(ItemText(id));
}

void Dialog::SetItemText(int id, std::wstring_view text) const {
    SetDlgItemTextW(window_, id, std::wstring(text).c_str());
}

void Dialog::SetItemTextCp932(int id, std::string_view text) const {
    SetItemText(id, WidenCp932(text));
}

int Dialog::CheckedRadio(std::initializer_list<int> group) const {
    int index = 0;
    for (int id : group) {
        if (IsDlgButtonChecked(window_, id) == BST_CHECKED) {
            return index;
        }
        ++index;
    }
    return -1;
}

void Dialog::CheckRadio(std::initializer_list<int> group, int index) const {
    int position = 0;
    for (int id : group) {
        CheckDlgButton(window_, id, position == index ? BST_CHECKED : BST_UNCHECKED);
        ++position;
    }
}

void Dialog::EnableItem(int id, bool enable) const {
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void Dialog::RemoveCaption() const {
    const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
    SetWindowLongPtrW(window_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL Dialog::OnInit() {
    WriteControls();
    return TRUE;
}

bool Dialog::OnCommand(WORD, WORD id, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool Dialog::OnNotify(int, NMHDR&, LRESULT&) {
    return false;
}

void Dialog::OnOK() {
    if (ReadControls()) {
        End(IDOK);
    }
}

void Dialog::OnCancel() {
    End(IDCANCEL);
}

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void Dialog::CentreOnOwner() const {
    RECT area{};
    HWND owner = GetWindow(window_, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT own{};
    GetWindowRect(window_, &own);
    const int x = area.left + ((area.right - area.left) - (own.right - own.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Dialog::SetMessageResult(LRESULT result) const {
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->window_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    // No exception may cross into the system's dialog manager.
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportStray(error.what());
    } catch (...) {
        ReportStray("unknown");
    }
    return FALSE;
}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const BOOL focus = OnInit();
            if (modal_) {
                CentreOnOwner();
            }
            if (modal_ && Observer()) {
                PostMessageW(window_, kMsgModalReady, 0, 0);
            }
            return focus;
        }
        case WM_COMMAND:
            return OnCommand(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            if (OnNotify(static_cast<int>(header.idFrom), header, result)) {
                SetMessageResult(result);
                return TRUE;
            }
            return FALSE;
        }
        case kMsgModalReady:
            if (Observer()) {
                Observer()(*this);
            }
            return TRUE;
        case WM_NCDESTROY:
            window_ = nullptr;
            return FALSE;
        default:
            break;
    }
    INT_PTR result = 0;
    return OnMessage(message, wParam, lParam, result) ? result : FALSE;
}

}  // namespace torvin
