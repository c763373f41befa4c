#include "pets/PetPaths.h"

#include "settings/Cp932Texts.h"

namespace torvin {

std::string StorageRootPath() {
    return cp932::kStorageRoot;
}

std::string PetFolderPath(const std::string& petName) {
    return cp932::kStorageRootPrefix + petName;
}

std::string PetSettingsPath(const std::string& petName) {
    return PetFolderPath(petName) + cp932::kHostSettingsSuffix;
}

std::string BackupFolderPath() {
    return PetFolderPath(cp932::kBackupFolderName);
}

std::string BackupFilePath() {
    return BackupFolderPath() + cp932::kHostSettingsSuffix;
}

std::string PetBackupGenerationPath(const std::string& petName) {
    return PetSettingsPath(petName) + ".bak";
}

std::string PetRetiredGenerationPath(const std::string& petName) {
    return PetSettingsPath(petName) + ".old";
}

std::string RecoveryFolderPath() {
    return PetFolderPath(cp932::kRecoveryFolderName);
}

std::string RecoveryFilePath(int n) {
    return RecoveryFolderPath() + "\\" + std::to_string(n) + "_" + (cp932::kHostSettingsSuffix + 1);
}

std::string HostSettingsPath(const std::string& hostDir) {
    return hostDir + cp932::kHostSettingsSuffix;
}

std::string HostExePath(const std::string& hostDir) {
    return hostDir + cp932::kHostExeSuffix;
}

}  // namespace torvin
