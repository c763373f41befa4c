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
// The previous stored copy, kept as one generation at every save-back.
std::string PetBackupGenerationPath(const std::string& petName);
// The generation before that, between a save-back and the host's start, when it is removed.
std::string PetRetiredGenerationPath(const std::string& petName);
std::string RecoveryFolderPath();
// The n-th file moved into the recovery folder.
std::string RecoveryFilePath(int n);
std::string HostSettingsPath(const std::string& hostDir);
std::string HostExePath(const std::string& hostDir);

}  // namespace torvin
