#include "tests/support/MemoryFileSystem.h"

namespace torvin::test {

bool MatchesPattern(const std::string& pattern, const std::string& text) {
    std::size_t p = 0, t = 0, starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

bool MemoryFileSystem::ParentExists(const std::string& path) const {
    const auto slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return true;
    }
    return folders.count(path.substr(0, slash)) != 0;
}

bool MemoryFileSystem::PathExists(const std::string& path) {
    for (const auto& [name, content] : files) {
        if (MatchesPattern(path, name)) {
            return true;
        }
    }
    for (const auto& name : folders) {
        if (MatchesPattern(path, name)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> MemoryFileSystem::ReadWhole(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
    if (!ParentExists(path) || folders.count(path) != 0) {
        return false;
    }
    files[path] = std::string(bytes);
    return true;
}

bool MemoryFileSystem::CopyNoOverwrite(const std::string& from, const std::string& to) {
    const auto it = files.find(from);
    if (it == files.end() || files.count(to) != 0 || folders.count(to) != 0 || !ParentExists(to)) {
        return false;
    }
    files[to] = it->second;
    return true;
}

bool MemoryFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
    const auto it = files.find(from);
    if (it == files.end() || folders.count(to) != 0 || !ParentExists(to)) {
        return false;
    }
    std::string content = std::move(it->second);
    files.erase(it);
    files[to] = std::move(content);
    return true;
}

bool MemoryFileSystem::RemoveFile(const std::string& path) { return files.erase(path) != 0; }

bool MemoryFileSystem::MakeFolder(const std::string& path) {
    if (folders.count(path) != 0) {
        return true;
    }
    if (files.count(path) != 0 || !ParentExists(path)) {
        return false;
    }
    folders.insert(path);
    return true;
}

bool MemoryFileSystem::RemoveFolder(const std::string& path) {
    if (folders.count(path) == 0) {
        return false;
    }
    const std::string prefix = path + "\\";
    for (const auto& [name, content] : files) {
        if (name.rfind(prefix, 0) == 0) {
            return false;
        }
    }
    for (const auto& name : folders) {
        if (name.rfind(prefix, 0) == 0) {
            return false;
        }
    }
    folders.erase(path);
    return true;
}

}  // namespace torvin::test
