#include "skin/ChooseBackground.h"

#include "settings/SettingsStore.h"
#include "skin/BackgroundDialog.h"
#include "skin/BackgroundResolution.h"
#include "skin/ExitNoticeDialog.h"

namespace torvin {

bool ChooseBackground(HWND owner, FileSystem& fs, AppSettings& settings) {
    BackgroundDialog chooser(owner, fs, settings);
    const bool confirmed = chooser.RunModal() == IDOK;
    if (confirmed) {
        WriteSettings(fs, settings);
    }
    // A skin file picked in the list counts even when the chooser is cancelled: windows opened
    // from now on show the settings as they are, the main window keeps the background it has.
    SkinDialog::SetOpeningBackground(ResolveBackground(settings, fs));
    if (!confirmed) {
        return false;
    }
    ExitNoticeDialog notice(owner);
    notice.RunModal();
    return true;
}

}  // namespace torvin
