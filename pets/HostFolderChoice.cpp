#include "pets/HostFolderChoice.h"

#include "framework/CodePage.h"
#include "framework/FolderBrowser.h"
#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "pets/Notices.h"
#include "pets/PetNames.h"
#include "pets/PetPaths.h"
#include "resources/resource.h"

namespace torvin {

std::optional<std::string> ChooseHostFolder(HWND owner, FileSystem& fs) {
    const auto chosen =
        BrowseForFolder(nullptr, LoadResourceText(GetModuleHandleW(nullptr), IDS_CHOOSE_HOST_FOLDER));
    if (!chosen) {
        return std::nullopt;
    }
    const auto path = NarrowCp932(*chosen);
    if (!path || !HostDirFits(*path)) {
        ShowMessageNotice(owner, LoadResourceText(GetModuleHandleW(nullptr), IDS_HOST_FOLDER_UNUSABLE));
        return std::nullopt;
    }
    if (!fs.PathExists(HostExePath(*path))) {
        ShowHostNotFound();
        return std::nullopt;
    }
    return path;
}

}  // namespace torvin
