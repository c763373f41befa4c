#include "settings/WinFileSystem.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "framework/UniqueHandle.h"

namespace torvin {

namespace {

// CP932 to UTF-16, refusing invalid byte sequences: a lenient conversion would turn different
// names into one folder name.
std::optional<std::wstring> StrictWide(const std::string& bytes) {
    if (bytes.empty()) {
        return std::wstring{};
    }
    const int inLength = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLength, nullptr, 0);
    if (length <= 0) {
        return std::nullopt;
    }
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), inLength, out.data(), length);
    return out;
}

// Torvin's own copies are never left read-only, or a later replace or delete would fail.
void DropReadOnly(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(path, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    }
}

}  // namespace

bool WinFileSystem::PathExists(const std::string& path) {
    const auto wide = StrictWide(path);
    if (!wide) {
        return false;
    }
    WIN32_FIND_DATAW data{};
    UniqueFindHandle find(FindFirstFileW(wide->c_str(), &data));
    return static_cast<bool>(find);
}

std::optional<std::string> WinFileSystem::ReadWhole(const std::string& path) {
    const auto wide = StrictWide(path);
    if (!wide) {
        return std::nullopt;
    }
    UniqueFileHandle file(CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
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
    const auto wide = StrictWide(path);
    if (!wide) {
        return false;
    }
    UniqueFileHandle file(
        CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    while (!bytes.empty()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return FlushFileBuffers(file.Get()) != FALSE;
}

bool WinFileSystem::CopyNoOverwrite(const std::string& from, const std::string& to) {
    const auto source = StrictWide(from);
    const auto target = StrictWide(to);
    if (!source || !target || !CopyFileW(source->c_str(), target->c_str(), TRUE)) {
        return false;
    }
    DropReadOnly(target->c_str());
    UniqueFileHandle copy(CreateFileW(target->c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    return copy && FlushFileBuffers(copy.Get()) != FALSE;
}

bool WinFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
    const auto source = StrictWide(from);
    const auto target = StrictWide(to);
    if (!source || !target) {
        return false;
    }
    DropReadOnly(target->c_str());
    if (!MoveFileExW(source->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    DropReadOnly(target->c_str());
    return true;
}

bool WinFileSystem::RemoveFile(const std::string& path) {
    const auto wide = StrictWide(path);
    return wide && DeleteFileW(wide->c_str()) != FALSE;
}

bool WinFileSystem::MakeFolder(const std::string& path) {
    const auto wide = StrictWide(path);
    return wide &&
           (CreateDirectoryW(wide->c_str(), nullptr) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS);
}

bool WinFileSystem::RemoveFolder(const std::string& path) {
    const auto wide = StrictWide(path);
    return wide && RemoveDirectoryW(wide->c_str()) != FALSE;
}

bool WinFileSystem::NameConverts(const std::string& name) {
    return StrictWide(name).has_value();
}

bool WinFileSystem::SameEntryName(const std::string& a, const std::string& b) {
    const auto wideA = StrictWide(a);
    const auto wideB = StrictWide(b);
    if (!wideA || !wideB) {
        return a == b;
    }
    return CompareStringOrdinal(wideA->c_str(), static_cast<int>(wideA->size()), wideB->c_str(),
                                static_cast<int>(wideB->size()), TRUE) == CSTR_EQUAL;
}

FileSystem& RealFileSystem() {
    static WinFileSystem fs;
    return fs;
}

}  // namespace torvin
