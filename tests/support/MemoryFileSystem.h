#pragma once
// An in-memory file system for tests: files and folders keyed by the path bytes they were made
// with, with '\' as the separator. Like Windows it refuses paths that are not valid CP932 and
// takes two paths for one entry when they differ only in letter case (ASCII, full-width Latin,
// Greek, Cyrillic). A file can only be created inside an existing folder.

#include <map>
#include <optional>
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
    bool NameConverts(const std::string& name) override;
    bool SameEntryName(const std::string& a, const std::string& b) override;

    // The file's entry under the spelling it was made with, or end().
    std::map<std::string, std::string>::iterator FindFile(const std::string& path);

  private:
    bool HasFolder(const std::string& path);
    bool ParentExists(const std::string& path);
};

// The path as the file system compares it (letter case folded), or nothing when it is not
// valid CP932.
std::optional<std::string> FoldedPath(const std::string& path);

}  // namespace torvin::test
