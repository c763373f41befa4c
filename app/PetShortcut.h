#pragma once
// The desktop shortcut that starts the host with one pet: "Torvin.exe /launch "<pet>"".

#include <windows.h>

#include <string>

namespace torvin {

// Creates "<pet>.lnk" on the user's desktop (or "<pet> (2).lnk" and so on when another file has
// that name) and tells the user the file's name, or that it could not be made.
void CreatePetShortcut(HWND owner, const std::string& petName);

}  // namespace torvin
