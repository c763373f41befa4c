#include "pets/HostFolderChoice.h"

#include "framework/CodePage.h"
#include "framework/FolderBrowser.h"
#include "framework/MessageNotice.h"
#include "pets/Notices.h"
#include "pets/PetNames.h"
#include "pets/PetPaths.h"

namespace torvin {

std::optional<std::string> ChooseHostFolder(HWND owner, FileSystem& fs) {
    const auto chosen = BrowseForFolder(nullptr, L"Nimbrel20.exeのあるディレクトリ指定してください");
    if (!chosen) {
        return std::nullopt;
    }
    const auto path = NarrowCp932(*chosen);
    if (!path || !HostDirFits(*path)) {
        ShowMessageNotice(owner,
                          L"このフォルダは使えません。\n"
                          L"パスが長すぎるか、使えない文字が含まれています。");
        return std::nullopt;
    }
    if (!fs.PathExists(HostExePath(*path))) {
        ShowHostNotFound();
        return std::nullopt;
    }
    return path;
}

}  // namespace torvin
