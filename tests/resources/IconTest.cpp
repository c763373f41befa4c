// The program icon and the skin buttons' icon pairs: each a single 32 x 32 image of the right
// depth, loadable at 32 x 32, the hot icon of a pair vivid and the normal one pale grey-green.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "framework/UniqueHandle.h"
#include "resources/resource.h"

namespace torvin::test {
namespace {

HMODULE Self() {
    return GetModuleHandleW(nullptr);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct GroupIconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    GroupIconEntry entries[1];
};
#pragma pack(pop)

const GroupIconDirectory* FindGroupIcon(int id) {
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    if (found == nullptr) {
        return nullptr;
    }
    return static_cast<const GroupIconDirectory*>(LockResource(LoadResource(Self(), found)));
}

std::vector<int> AllIconIds() {
    std::vector<int> ids = {IDI_APP};
    for (int id = IDI_MAIL_SETTINGS_NORMAL; id <= IDI_CHOOSE_BACKGROUND_HOT; ++id) {
        ids.push_back(id);
    }
    return ids;
}

class Icon : public testing::TestWithParam<int> {};

TEST_P(Icon, IsOneThirtyTwoPixelImageThatLoads) {
    const int id = GetParam();
    const GroupIconDirectory* group = FindGroupIcon(id);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->count, 1);
    EXPECT_EQ(group->entries[0].width, 32);
    EXPECT_EQ(group->entries[0].height, 32);
    const bool trueColour = id == IDI_EXIT_HOT || id == IDI_EXIT_NORMAL;
    EXPECT_EQ(group->entries[0].bitCount, trueColour ? 32 : 8);

    UniqueIcon icon(static_cast<HICON>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0)));
    ASSERT_TRUE(icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    EXPECT_FALSE(info.fIcon == FALSE);
    BITMAP bitmap{};
    ASSERT_NE(GetObjectW(colour.Get(), sizeof(bitmap), &bitmap), 0);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(bitmap.bmHeight, 32);
}

std::string IconName(const testing::TestParamInfo<int>& info) {
    return "icon_" + std::to_string(info.param);
}

INSTANTIATE_TEST_SUITE_P(AllIcons, Icon, testing::ValuesIn(AllIconIds()), IconName);

// Mean colour and mean saturation (max - min channel) over the icon's opaque pixels.
struct Colouring {
    double red = 0;
    double green = 0;
    double blue = 0;
    double saturation = 0;
};

std::vector<uint32_t> ReadPixels(HBITMAP bitmap) {
    std::vector<uint32_t> pixels(32 * 32);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 32, -32, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, 32, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(rows, 32);
    return pixels;
}

Colouring MeasureColouring(int id) {
    UniqueIcon icon(static_cast<HICON>(LoadImageW(Self(), MAKEINTRESOURCEW(id), IMAGE_ICON, 32, 32, 0)));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon.Get(), &info)) {
        ADD_FAILURE() << "icon " << id << " does not load";
        return {};
    }
    UniqueBitmap colour(info.hbmColor);
    UniqueBitmap mask(info.hbmMask);
    const std::vector<uint32_t> colours = ReadPixels(colour.Get());
    const std::vector<uint32_t> transparent = ReadPixels(mask.Get());

    Colouring sum;
    int opaque = 0;
    for (size_t i = 0; i < colours.size(); ++i) {
        if ((transparent[i] & 0xFFFFFFu) != 0) {
            continue;
        }
        const int r = static_cast<int>((colours[i] >> 16) & 0xFF);
        const int g = static_cast<int>((colours[i] >> 8) & 0xFF);
        const int b = static_cast<int>(colours[i] & 0xFF);
        sum.red += r;
        sum.green += g;
        sum.blue += b;
        sum.saturation += std::max({r, g, b}) - std::min({r, g, b});
        ++opaque;
    }
    EXPECT_GT(opaque, 32 * 32 / 4) << "icon " << id << " is mostly empty";
    if (opaque == 0) {
        return {};
    }
    return {sum.red / opaque, sum.green / opaque, sum.blue / opaque, sum.saturation / opaque};
}

struct IconPair {
    int hot;
    int normal;
};

void PrintTo(const IconPair& pair, std::ostream* out) {
    *out << "icons " << pair.hot << ", " << pair.normal;
}

class IconPairColouring : public testing::TestWithParam<IconPair> {};

TEST_P(IconPairColouring, HotIsVividAndNormalIsPaleGreyGreen) {
    const IconPair pair = GetParam();
    const Colouring hot = MeasureColouring(pair.hot);
    const Colouring normal = MeasureColouring(pair.normal);

    EXPECT_GT(hot.saturation, 60.0);
    // The colour squares are vivid in four colours rather than pink and red.
    if (pair.hot != IDI_CHOOSE_BACKGROUND_HOT) {
        EXPECT_GT(hot.red, hot.green + 40.0);
        EXPECT_GT(hot.red, hot.blue);
    }
    EXPECT_LT(normal.saturation, 40.0);
    EXPECT_GE(normal.green, normal.red);
    EXPECT_GE(normal.green, normal.blue);
}

std::string PairName(const testing::TestParamInfo<IconPair>& info) {
    return "icons_" + std::to_string(info.param.hot) + "_" + std::to_string(info.param.normal);
}

INSTANTIATE_TEST_SUITE_P(AllPairs, IconPairColouring,
                         testing::Values(IconPair{IDI_OK_HOT, IDI_OK_NORMAL},
                                         IconPair{IDI_CANCEL_HOT, IDI_CANCEL_NORMAL},
                                         IconPair{IDI_LAUNCH_HOT, IDI_LAUNCH_NORMAL},
                                         IconPair{IDI_ADD_PET_HOT, IDI_ADD_PET_NORMAL},
                                         IconPair{IDI_DELETE_PET_HOT, IDI_DELETE_PET_NORMAL},
                                         IconPair{IDI_MAIL_SETTINGS_HOT, IDI_MAIL_SETTINGS_NORMAL},
                                         IconPair{IDI_MAIL_START_HOT, IDI_MAIL_START_NORMAL},
                                         IconPair{IDI_MAIL_STOP_HOT, IDI_MAIL_STOP_NORMAL},
                                         IconPair{IDI_SNACK_HOT, IDI_SNACK_NORMAL},
                                         IconPair{IDI_CHOOSE_BACKGROUND_HOT, IDI_CHOOSE_BACKGROUND_NORMAL},
                                         IconPair{IDI_EXIT_HOT, IDI_EXIT_NORMAL},
                                         IconPair{IDI_FLOPPY_HOT, IDI_FLOPPY_NORMAL},
                                         IconPair{IDI_MAGNIFIER_HOT, IDI_MAGNIFIER_NORMAL}),
                         PairName);

}  // namespace
}  // namespace torvin::test
