#pragma once
// A plain message box for notices that have no dialog template of their own (refused input).
// Tests install a hook that receives the text instead of a box being shown.

#include <windows.h>

#include <functional>
#include <string_view>

namespace torvin {

void ShowMessageNotice(HWND owner, std::wstring_view text);

using MessageNoticeHook = std::function<void(std::wstring_view)>;
// Returns the previous hook; an empty hook shows real message boxes again.
MessageNoticeHook SetMessageNoticeHook(MessageNoticeHook hook);

}  // namespace torvin
