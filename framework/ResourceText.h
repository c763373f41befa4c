#pragma once
// Strings of the program's string table.

#include <windows.h>

#include <string>
#include <string_view>

namespace torvin {

// The string with this id from the module's string table; empty when there is none.
std::wstring LoadResourceText(HINSTANCE instance, UINT id);
// The same with its first "%1" replaced by the value.
std::wstring LoadResourceText(HINSTANCE instance, UINT id, std::wstring_view value);

}  // namespace torvin
