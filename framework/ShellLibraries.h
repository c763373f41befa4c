#pragma once
// ole32 and shell32 serve only the folder browser and the desktop shortcut, which most runs never
// open. They are loaded on first use instead of at start-up, and kept for the process, since the
// shell may leave threads running in them.

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace torvin {

struct ShellLibraries {
    decltype(&OleInitialize) oleInitialize = nullptr;
    decltype(&OleUninitialize) oleUninitialize = nullptr;
    decltype(&CoInitializeEx) coInitializeEx = nullptr;
    decltype(&CoUninitialize) coUninitialize = nullptr;
    decltype(&CoCreateInstance) coCreateInstance = nullptr;
    decltype(&CoTaskMemFree) coTaskMemFree = nullptr;
    decltype(&SHBrowseForFolderW) browseForFolder = nullptr;
    decltype(&SHGetPathFromIDListW) pathFromIdList = nullptr;
    decltype(&SHGetKnownFolderPath) knownFolderPath = nullptr;

    // False when a library or one of its functions could not be found.
    bool Loaded() const;
};

// Loads both libraries at the first call.
const ShellLibraries& Shell();

// COM on this thread for the life of the object, balanced even when it was already started.
class ComScope {
  public:
    ComScope();
    ~ComScope();
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool started_;
};

}  // namespace torvin
