#include "pets/HostLaunch.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

struct FakeDesktop : DesktopWindows {
    std::vector<TopWindow> windows;
    std::string runningImage;
    std::vector<TopWindow> TopWindowsInZOrder() override { return windows; }
    bool RunsImage(const std::string& exePath) override { return exePath == runningImage; }
};

struct FakeStarter : HostStarter {
    std::vector<std::string> started;
    bool Start(const std::string& exePath) override {
        started.push_back(exePath);
        return true;
    }
};

TEST(HostNotRunning, AVisibleNimbrelTitleOrTheHostExeRunningCounts) {
    FakeDesktop desktop;
    desktop.windows = {{L"", true}, {L"Nimbrel", false}, {L"My Nimbrel", true}, {L"nimbrel", true}};
    EXPECT_TRUE(HostNotRunning(desktop, test::kHostDir));
    desktop.runningImage = HostExePath(test::kHostDir);
    EXPECT_FALSE(HostNotRunning(desktop, test::kHostDir));
    desktop.runningImage.clear();
    desktop.windows.push_back({L"Nimbrel20 \u30da\u30c3\u30c8", true});
    EXPECT_FALSE(HostNotRunning(desktop, test::kHostDir));
}

TEST(LaunchHostWithPet, RefusesAnEmptyOrMissingHostFolderBeforeAnyFileStep) {
    test::PetWorld world;
    AppSettings settings;
    settings.activePet = "A";
    FakeDesktop desktop;
    FakeStarter starter;
    const auto files = world.fs.files;
    for (const char* hostDir : {"", "C:\\Gone"}) {
        settings.hostDir = hostDir;
        EXPECT_EQ(LaunchHostWithPet(world.fs, settings, "B", desktop, starter).outcome,
                  LaunchOutcome::kNoHostFolder);
    }
    EXPECT_EQ(world.fs.files, files);
    EXPECT_TRUE(starter.started.empty());
}

}  // namespace
}  // namespace torvin
