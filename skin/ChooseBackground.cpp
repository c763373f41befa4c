#include "skin/ChooseBackground.h"

#include "settings/SettingsStore.h"
#include "skin/BackgroundDialog.h"
#include "skin/ExitNoticeDialog.h"

namespace torvin {

bool ChooseBackground(HWND owner, FileSystem& fs, AppSettings& settings) {
    BackgroundDialog chooser(owner, fs, settings);
    if (chooser.RunModal() != IDOK) {
        return false;
    }
    WriteSettings(fs, settings);
    ExitNoticeDialog notice(owner);
    notice.RunModal();
    return true;
}

}  // namespace torvin
