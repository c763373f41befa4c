#include "framework/MessageNotice.h"

#include <string>
#include <utility>

namespace torvin {

namespace {

MessageNoticeHook& NoticeHookSlot() {
    static MessageNoticeHook hook;
    return hook;
}

}  // namespace

void ShowMessageNotice(HWND owner, std::wstring_view text) {
    if (NoticeHookSlot()) {
        NoticeHookSlot()(text);
        return;
    }
    MessageBoxW(owner, std::wstring(text).c_str(), L"Torvin", MB_OK | MB_ICONINFORMATION);
}

MessageNoticeHook SetMessageNoticeHook(MessageNoticeHook hook) {
    return std::exchange(NoticeHookSlot(), std::move(hook));
}

}  // namespace torvin
