#pragma once
// Where each file of the pet storage tree and of the host lives, as CP932 byte paths.
// Torvin's own paths are relative to the working directory; the host's start from hostDir.

#include <cstddef>
#include <string>

namespace torvin {

// The longest path text the program builds (a 256-byte buffer with its terminator).
inline constexpr std::size_t kMaxPathBytes = 255;
// Room kept for the temporary name a copy into place writes first.
inline constexpr std::size_t kTemporarySuffixBytes = 4;

std::string StorageRootPath();
std::string PetFolderPath(const std::string& petName);
std::string PetSettingsPath(const std::string& petName);
std::string BackupFolderPath();
std::string BackupFilePath();
std::string HostSettingsPath(const std::string& hostDir);
std::string HostExePath(const std::string& hostDir);

}  // namespace torvin
