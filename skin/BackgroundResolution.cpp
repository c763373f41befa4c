#include "skin/BackgroundResolution.h"

namespace torvin {

ResolvedBackground ResolveBackground(AppSettings& settings, FileSystem& fs) {
    switch (settings.backgroundKind) {
        case kBackgroundBlue:
            return TileBackground(IDB_TILE_BLUE);
        case kBackgroundGreen:
            return TileBackground(IDB_TILE_GREEN);
        case kBackgroundSkinFile:
            if (!settings.skinFile.empty()) {
                settings.skinPath = ".\\skin\\" + settings.skinFile;
                if (fs.PathExists(settings.skinPath)) {
                    return SkinFileBackground(settings.skinPath, settings.skinLayout);
                }
            }
            settings.skinPath.clear();
            settings.backgroundKind = kBackgroundPink;
            return {};
        default:
            return {};
    }
}

ResolvedBackground SetupBackground(const ResolvedBackground& choice) {
    return choice.skinPath.empty() ? choice : ResolvedBackground{};
}

}  // namespace torvin
