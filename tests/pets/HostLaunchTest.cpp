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
    bool succeeds = true;
    std::vector<std::string> started;
    bool Start(const std::string& exePath) override {
        started.push_back(exePath);
        return succeeds;
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

class LaunchTest : public testing::Test {
protected:
    void SetUp() override {
        settings.versionText = cp932::kVersionText;
        settings.hostDir = test::kHostDir;
        settings.petCount = 2;
        settings.pets[0] = {"A", "", "", "", "", 1};
        settings.pets[1] = {"B", "", "", "", "", 1};
        settings.activePet = settings.pets[0].name;
        world.fs.folders.insert(StorageRootPath());
        world.fs.folders.insert(PetFolderPath("B"));
        world.fs.files[PetSettingsPath("B")] = "B data";
        world.SetLive("A data");
        ASSERT_TRUE(WriteSettings(world.fs, settings));
    }

    LaunchOutcome Launch() { return LaunchHostWithPet(world.fs, settings, "B", desktop, starter).outcome; }

    test::PetWorld world;
    AppSettings settings;
    FakeDesktop desktop;
    FakeStarter starter;
};

TEST_F(LaunchTest, SwapsThenStartsTheHostByItsFullPath) {
    EXPECT_EQ(Launch(), LaunchOutcome::kStarted);
    EXPECT_EQ(starter.started, std::vector<std::string>{HostExePath(test::kHostDir)});
    EXPECT_EQ(world.Live(), "B data");
}

TEST_F(LaunchTest, ARunningHostOrNoHostFolderIsRefusedBeforeAnyFileStep) {
    const auto files = world.fs.files;
    desktop.runningImage = HostExePath(test::kHostDir);
    EXPECT_EQ(Launch(), LaunchOutcome::kHostRunning);
    desktop.runningImage.clear();
    for (const char* hostDir : {"", "C:\\Gone"}) {
        settings.hostDir = hostDir;
        EXPECT_EQ(Launch(), LaunchOutcome::kNoHostFolder) << hostDir;
    }
    EXPECT_EQ(world.fs.files, files);
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchTest, AMissingExeOrAFailedStartLeavesTheSwapRecorded) {
    starter.succeeds = false;
    const auto result = LaunchHostWithPet(world.fs, settings, "B", desktop, starter);
    EXPECT_STREQ(ErrorCodeText(result.error), "00 06");
    world.fs.files.erase(HostExePath(test::kHostDir));
    EXPECT_EQ(LaunchHostWithPet(world.fs, settings, "A", desktop, starter).outcome, LaunchOutcome::kHostNotFound);
    EXPECT_EQ(world.ReadBack().activePet, "A");
    EXPECT_EQ(world.Live(), "A data");
}

}  // namespace
}  // namespace torvin
