#pragma once
// The real file system, through the wide Windows API; paths are converted strictly from CP932
// at the edge, so a path with invalid bytes names no file at all.

#include "settings/FileSystem.h"

namespace torvin {

class WinFileSystem : public FileSystem {
  public:
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
};

// The file system the program itself uses.
FileSystem& RealFileSystem();

}  // namespace torvin
