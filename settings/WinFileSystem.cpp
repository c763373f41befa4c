#include "settings/WinFileSystem.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "framework/CodePage.h"
#include "framework/UniqueHandle.h"

namespace torvin {

bool WinFileSystem::PathExists(const std::string& path) {
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(FindFirstFileW(WidenCp932(path).c_str(), &data));
    return static_cast<bool>(find);
}

std::optional<std::string> WinFileSystem::ReadWhole(const std::string& path) {
    UniqueFileHandle file(CreateFileW(WidenCp932(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char chunk[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(chunk, read);
    }
}

bool WinFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
    UniqueFileHandle file(CreateFileW(WidenCp932(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file.Get()) != FALSE;
}

bool WinFileSystem::CopyNoOverwrite(const std::string& from, const std::string& to) {
    return CopyFileW(WidenCp932(from).c_str(), WidenCp932(to).c_str(), TRUE) != FALSE;
}

bool WinFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(WidenCp932(from).c_str(), WidenCp932(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool WinFileSystem::RemoveFile(const std::string& path) {
    return DeleteFileW(WidenCp932(path).c_str()) != FALSE;
}

bool WinFileSystem::MakeFolder(const std::string& path) {
    return CreateDirectoryW(WidenCp932(path).c_str(), nullptr) != FALSE ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

bool WinFileSystem::RemoveFolder(const std::string& path) {
    return RemoveDirectoryW(WidenCp932(path).c_str()) != FALSE;
}

FileSystem& RealFileSystem() {
    static WinFileSystem fs;
    return fs;
}

}  // namespace torvin
