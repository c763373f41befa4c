#pragma once
// An in-memory file system for tests: files and folders keyed by their exact path bytes, with
// '\' as the separator. A file can only be created inside an existing folder.

#include <map>
#include <set>
#include <string>

#include "settings/FileSystem.h"

namespace torvin::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> folders;

    bool PathExists(const std::string& path) override;
    std::optional<std::string> ReadWhole(const std::string& path) override;
    bool WriteWhole(const std::string& path, std::string_view bytes) override;
    bool CopyNoOverwrite(const std::string& from, const std::string& to) override;
    bool MoveReplacing(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;

private:
    bool ParentExists(const std::string& path) const;
};

// Matches '*' and '?' as a find-first-file pattern does within one path.
bool MatchesPattern(const std::string& pattern, const std::string& text);

}  // namespace torvin::test
