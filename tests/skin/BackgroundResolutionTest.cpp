#include "skin/BackgroundResolution.h"

#include <gtest/gtest.h>

#include "tests/support/MemoryFileSystem.h"

namespace torvin {
namespace {

struct Case {
    int kind;
    const char* skinFile;
    ResolvedBackground expected;
    int kindAfter;
    const char* skinPathAfter;
};

TEST(BackgroundResolution, EachKindGivesItsTileOrSkinFileAndOnlyAMissingSkinFallsBack) {
    const Case cases[] = {
        {kBackgroundPink, "", TileBackground(IDB_TILE_PINK), kBackgroundPink, "stale"},
        {kBackgroundBlue, "q.bmp", TileBackground(IDB_TILE_BLUE), kBackgroundBlue, "stale"},
        {kBackgroundGreen, "q.bmp", TileBackground(IDB_TILE_GREEN), kBackgroundGreen, "stale"},
        {kBackgroundSkinFile, "q.bmp", SkinFileBackground(".\\skin\\q.bmp", 7), kBackgroundSkinFile,
         ".\\skin\\q.bmp"},
        {kBackgroundSkinFile, "missing.bmp", {}, kBackgroundPink, ""},
        {kBackgroundSkinFile, "", {}, kBackgroundPink, ""},
        {-1, "q.bmp", {}, -1, "stale"},
        {9, "q.bmp", {}, 9, "stale"},
    };
    test::MemoryFileSystem fs;
    fs.folders.insert(".\\skin");
    fs.files[".\\skin\\q.bmp"] = "BM";
    for (const Case& c : cases) {
        AppSettings settings;
        settings.backgroundKind = static_cast<std::int8_t>(c.kind);
        settings.skinFile = c.skinFile;
        settings.skinLayout = 7;
        settings.skinPath = "stale";
        const ResolvedBackground resolved = ResolveBackground(settings, fs);
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " file " << c.skinFile);
        EXPECT_EQ(resolved.tileId, c.expected.tileId);
        EXPECT_EQ(resolved.skinPath, c.expected.skinPath);
        EXPECT_EQ(resolved.layout, c.expected.layout);
        EXPECT_EQ(settings.backgroundKind, c.kindAfter);
        EXPECT_EQ(settings.skinPath, c.skinPathAfter);
        EXPECT_EQ(settings.skinFile, c.skinFile) << "the chosen name is kept for the next start";
    }
}

TEST(BackgroundResolution, FirstRunSetupKeepsTheTileButNeverShowsTheSkinFile) {
    const ResolvedBackground green = TileBackground(IDB_TILE_GREEN);
    EXPECT_EQ(SetupBackground(green), green);
    EXPECT_EQ(SetupBackground(SkinFileBackground(".\\skin\\q.bmp", kLayoutStretch)), ResolvedBackground{});
}

}  // namespace
}  // namespace torvin
