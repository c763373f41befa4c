#pragma once
// Which background the skinned windows open with, worked out from the settings in one place.
// Pure: the dialog layer is handed the result and loads it (see SkinDialog).

#include <cstdint>
#include <string>
#include <utility>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/FileSystem.h"

namespace torvin {

// backgroundKind as setting.ini stores it; any other value (-1 after a chooser confirmed with
// no choice, say) shows the pink tile.
inline constexpr std::int8_t kBackgroundPink = 0, kBackgroundBlue = 1, kBackgroundGreen = 2,
                             kBackgroundSkinFile = 3;
// How a picture covers the body; any other value tiles.
inline constexpr int kLayoutTile = 0, kLayoutStretch = 1, kLayoutCentre = 2;

struct ResolvedBackground {
    // Shown when skinPath is empty.
    int tileId = IDB_TILE_PINK;
    // A skin file, relative to the working directory.
    std::string skinPath;
    int layout = kLayoutTile;

    bool operator==(const ResolvedBackground&) const = default;
};

inline ResolvedBackground TileBackground(int tileId) {
    return {tileId, {}, kLayoutTile};
}
inline ResolvedBackground SkinFileBackground(std::string path, int layout) {
    return {IDB_TILE_PINK, std::move(path), layout};
}

// The background for the settings. A skin file that is not named or not there falls back to
// the pink tile, and the settings to kind 0 (in memory: the next write stores it); skinPath
// names the file in use, or is emptied.
ResolvedBackground ResolveBackground(AppSettings& settings, FileSystem& fs);

// First-run setup shows the chosen tile but never a skin file.
ResolvedBackground SetupBackground(const ResolvedBackground& choice);

}  // namespace torvin
