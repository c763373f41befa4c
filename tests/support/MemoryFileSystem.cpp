#include "tests/support/MemoryFileSystem.h"

#include <algorithm>

namespace torvin::test {

namespace {

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Rows that code page 932 leaves empty: MultiByteToWideChar with MB_ERR_INVALID_CHARS refuses them.
bool IsUnassignedRow(unsigned char lead) {
    return lead == 0x85 || lead == 0x86 || lead == 0xEB || lead == 0xEC;
}

// Lower-case letters of the double-byte rows folded onto their capitals: full-width Latin,
// Greek and Cyrillic, as an ordinal case-insensitive comparison of their UTF-16 forms does.
unsigned FoldWide(unsigned c) {
    if (c >= 0x8281 && c <= 0x829A) {
        return c - 0x21;
    }
    if (c >= 0x83BF && c <= 0x83D6) {
        return c - 0x20;
    }
    if (c >= 0x8470 && c <= 0x8491 && c != 0x847F) {
        return c - (c < 0x847F ? 0x30 : 0x31);
    }
    return c;
}

}  // namespace

std::optional<std::string> FoldedPath(const std::string& path) {
    std::string out;
    for (std::size_t at = 0; at < path.size();) {
        const auto first = static_cast<unsigned char>(path[at]);
        if (!IsLeadByte(first)) {
            out.push_back(first >= 'a' && first <= 'z' ? static_cast<char>(first - 0x20) : path[at]);
            ++at;
            continue;
        }
        if (at + 1 >= path.size() || IsUnassignedRow(first) ||
            !IsTrailByte(static_cast<unsigned char>(path[at + 1]))) {
            return std::nullopt;
        }
        const unsigned folded =
            FoldWide((static_cast<unsigned>(first) << 8) | static_cast<unsigned char>(path[at + 1]));
        out.push_back(static_cast<char>(folded >> 8));
        out.push_back(static_cast<char>(folded & 0xFF));
        at += 2;
    }
    return out;
}

bool MemoryFileSystem::NameConverts(const std::string& name) {
    return FoldedPath(name).has_value();
}

bool MemoryFileSystem::SameEntryName(const std::string& a, const std::string& b) {
    const auto foldedA = FoldedPath(a);
    const auto foldedB = FoldedPath(b);
    return foldedA && foldedB ? *foldedA == *foldedB : a == b;
}

std::map<std::string, std::string>::iterator MemoryFileSystem::FindFile(const std::string& path) {
    for (auto it = files.begin(); it != files.end(); ++it) {
        if (SameEntryName(it->first, path)) {
            return it;
        }
    }
    return files.end();
}

bool MemoryFileSystem::HasFolder(const std::string& path) {
    for (const auto& name : folders) {
        if (SameEntryName(name, path)) {
            return true;
        }
    }
    return false;
}

bool MemoryFileSystem::ParentExists(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos || HasFolder(path.substr(0, slash));
}

bool MemoryFileSystem::PathExists(const std::string& path) {
    return NameConverts(path) && (FindFile(path) != files.end() || HasFolder(path));
}

std::optional<std::string> MemoryFileSystem::ReadWhole(const std::string& path) {
    const auto it = FindFile(path);
    if (it == files.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
    if (!NameConverts(path) || !ParentExists(path) || HasFolder(path)) {
        return false;
    }
    const auto it = FindFile(path);
    (it == files.end() ? files[path] : it->second) = std::string(bytes);
    return true;
}

bool MemoryFileSystem::CopyNoOverwrite(const std::string& from, const std::string& to) {
    const auto it = FindFile(from);
    if (it == files.end() || !NameConverts(to) || FindFile(to) != files.end() || HasFolder(to) ||
        !ParentExists(to)) {
        return false;
    }
    files[to] = it->second;
    return true;
}

bool MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
    const auto it = FindFile(from);
    if (it == files.end() || !NameConverts(to) || HasFolder(to) || !ParentExists(to)) {
        return false;
    }
    std::string content = std::move(it->second);
    files.erase(it);
    const auto target = FindFile(to);
    (target == files.end() ? files[to] : target->second) = std::move(content);
    return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) {
    const auto it = FindFile(path);
    if (it == files.end()) {
        return false;
    }
    files.erase(it);
    return true;
}

bool MemoryFileSystem::MakeFolder(const std::string& path) {
    if (HasFolder(path)) {
        return true;
    }
    if (!NameConverts(path) || FindFile(path) != files.end() || !ParentExists(path)) {
        return false;
    }
    folders.insert(path);
    return true;
}

bool MemoryFileSystem::RemoveFolder(const std::string& path) {
    const auto folder = FoldedPath(path);
    if (!folder || !HasFolder(path)) {
        return false;
    }
    const std::string prefix = *folder + "\\";
    const auto inside = [&](const std::string& name) {
        return FoldedPath(name).value_or(name).starts_with(prefix);
    };
    for (const auto& [name, content] : files) {
        if (inside(name)) {
            return false;
        }
    }
    if (std::any_of(folders.begin(), folders.end(), inside)) {
        return false;
    }
    std::erase_if(folders, [&](const std::string& name) { return SameEntryName(name, path); });
    return true;
}

}  // namespace torvin::test
