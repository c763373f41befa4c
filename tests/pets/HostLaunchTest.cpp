#include "pets/HostLaunch.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

struct FakeDesktop : DesktopWindows, HostStarter {
    std::vector<TopWindow> windows;
    std::string runningImage;
    int started = 0;
    std::vector<TopWindow> TopWindowsInZOrder() override { return windows; }
    bool RunsImage(const std::string& exePath) override { return exePath == runningImage; }
    bool Start(const std::string&) override { return ++started > 0; }
};

TEST(HostRunning, AVisibleNimbrelTitleOrTheHostExeRunningCounts) {
    FakeDesktop desktop;
    desktop.windows = {{L"", true}, {L"Nimbrel", false}, {L"My Nimbrel", true}, {L"nimbrel", true}};
    EXPECT_FALSE(HostRunning(desktop, test::kHostDir));
    desktop.runningImage = HostExePath(test::kHostDir);
    EXPECT_TRUE(HostRunning(desktop, test::kHostDir));
    desktop.runningImage.clear();
    desktop.windows.push_back({L"Nimbrel20 \u30da\u30c3\u30c8", true});
    EXPECT_TRUE(HostRunning(desktop, test::kHostDir));
}

TEST(LaunchHostWithPet, RefusesAnEmptyOrMissingHostFolderBeforeAnyFileStep) {
    test::PetWorld world;
    AppSettings settings;
    settings.activePet = "A";
    FakeDesktop desktop;
    const auto files = world.fs.files;
    for (const char* hostDir : {"", "C:\\Gone"}) {
        settings.hostDir = hostDir;
        EXPECT_EQ(LaunchHostWithPet(world.fs, settings, "B", desktop, desktop).outcome,
                  LaunchOutcome::kNoHostFolder);
    }
    EXPECT_EQ(world.fs.files, files);
    EXPECT_EQ(desktop.started, 0);
}

}  // namespace
}  // namespace torvin
