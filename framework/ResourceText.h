#pragma once
// Strings of the program's string table.

#include <windows.h>

#include <string>

namespace torvin {

// The string with this id from the module's string table; empty when there is none.
std::wstring LoadResourceText(HINSTANCE instance, UINT id);

}  // namespace torvin
