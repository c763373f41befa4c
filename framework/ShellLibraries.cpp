#include "framework/ShellLibraries.h"

#include "framework/LibraryFunction.h"

namespace torvin {

bool ShellLibraries::Loaded() const {
    return oleInitialize && oleUninitialize && coInitializeEx && coUninitialize && coCreateInstance &&
           coTaskMemFree && browseForFolder && pathFromIdList && knownFolderPath;
}

const ShellLibraries& Shell() {
    static const ShellLibraries functions = [] {
        ShellLibraries loaded;
        const HMODULE ole = LoadLibraryW(L"ole32.dll");
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        FindFunction(ole, "OleInitialize", loaded.oleInitialize);
        FindFunction(ole, "OleUninitialize", loaded.oleUninitialize);
        FindFunction(ole, "CoInitializeEx", loaded.coInitializeEx);
        FindFunction(ole, "CoUninitialize", loaded.coUninitialize);
        FindFunction(ole, "CoCreateInstance", loaded.coCreateInstance);
        FindFunction(ole, "CoTaskMemFree", loaded.coTaskMemFree);
        FindFunction(shell, "SHBrowseForFolderW", loaded.browseForFolder);
        FindFunction(shell, "SHGetPathFromIDListW", loaded.pathFromIdList);
        FindFunction(shell, "SHGetKnownFolderPath", loaded.knownFolderPath);
        return loaded;
    }();
    return functions;
}

// S_FALSE (already started on this thread) also takes a reference that must be given back.
ComScope::ComScope()
    : started_(Shell().Loaded() && SUCCEEDED(Shell().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComScope::~ComScope() {
    if (started_) {
        Shell().coUninitialize();
    }
}

}  // namespace torvin
