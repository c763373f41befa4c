#include "tests/support/TempFolder.h"

#include <windows.h>

#include <atomic>

namespace torvin::test {

namespace {

std::wstring CurrentDirectory() {
    const DWORD length = GetCurrentDirectoryW(0, nullptr);
    std::wstring out(length, L'\0');
    out.resize(GetCurrentDirectoryW(length, out.data()));
    return out;
}

}  // namespace

TempFolder::TempFolder() : previous_(CurrentDirectory()) {
    static std::atomic<unsigned> counter{0};
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    path_ = std::wstring(base) + L"torvin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(counter++);
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
    SetCurrentDirectoryW(path_.c_str());
}

TempFolder::~TempFolder() {
    SetCurrentDirectoryW(previous_.c_str());
    RemoveTree(path_);
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace torvin::test
