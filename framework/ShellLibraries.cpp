#include "framework/ShellLibraries.h"

namespace torvin {

namespace {

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
    if (module != nullptr) {
        // Through the generic function type, which every function pointer may be cast to and from.
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
}

}  // namespace

bool ShellLibraries::Loaded() const {
    return oleInitialize && oleUninitialize && coInitializeEx && coUninitialize && coCreateInstance &&
           coTaskMemFree && browseForFolder && pathFromIdList && knownFolderPath;
}

const ShellLibraries& Shell() {
    static const ShellLibraries functions = [] {
        ShellLibraries loaded;
        const HMODULE ole = LoadLibraryW(L"ole32.dll");
        const HMODULE shell = LoadLibraryW(L"shell32.dll");
        Find(ole, "OleInitialize", loaded.oleInitialize);
        Find(ole, "OleUninitialize", loaded.oleUninitialize);
        Find(ole, "CoInitializeEx", loaded.coInitializeEx);
        Find(ole, "CoUninitialize", loaded.coUninitialize);
        Find(ole, "CoCreateInstance", loaded.coCreateInstance);
        Find(ole, "CoTaskMemFree", loaded.coTaskMemFree);
        Find(shell, "SHBrowseForFolderW", loaded.browseForFolder);
        Find(shell, "SHGetPathFromIDListW", loaded.pathFromIdList);
        Find(shell, "SHGetKnownFolderPath", loaded.knownFolderPath);
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
