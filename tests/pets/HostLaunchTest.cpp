#include "pets/HostLaunch.h"

#include <gtest/gtest.h>

#include "tests/pets/PetWorld.h"

namespace torvin {
namespace {

struct FakeWindows : DesktopWindows {
    std::vector<TopWindow> windows;
    std::vector<TopWindow> TopWindowsInZOrder() override { return windows; }
};

struct FakeStarter : HostStarter {
    bool succeeds = true;
    std::vector<std::string> started;
    bool Start(const std::string& exePath) override {
        started.push_back(exePath);
        return succeeds;
    }
};

TEST(HostNotRunning, OnlyAVisibleTitleStartingWithNimbrelCounts) {
    FakeWindows desktop;
    EXPECT_TRUE(HostNotRunning(desktop));
    desktop.windows = {
        {L"", true}, {L"Nimbrel", false}, {L"My Nimbrel", true}, {L"nimbrel", true}, {L"Nimbre", true}};
    EXPECT_TRUE(HostNotRunning(desktop));
    desktop.windows.push_back({L"Nimbrel20 \u30da\u30c3\u30c8", true});
    EXPECT_FALSE(HostNotRunning(desktop));
    desktop.windows.back().title = L"Nimbrel";
    EXPECT_FALSE(HostNotRunning(desktop));
}

class LaunchTest : public testing::Test {
  protected:
    void SetUp() override {
        settings.versionText = cp932::kVersionText;
        settings.hostDir = test::kHostDir;
        settings.petCount = 2;
        settings.pets[0].name = "A";
        settings.pets[1].name = "B";
        settings.activePet = "A";
        world.fs.folders.insert(StorageRootPath());
        world.fs.folders.insert(PetFolderPath("A"));
        world.fs.folders.insert(PetFolderPath("B"));
        world.fs.files[PetSettingsPath("B")] = "B data";
        world.SetLive("A data");
        ASSERT_TRUE(WriteSettings(world.fs, settings));
    }

    test::PetWorld world;
    AppSettings settings;
    FakeWindows desktop;
    FakeStarter starter;
};

TEST_F(LaunchTest, SwapsThenStartsTheHostByItsFullPath) {
    const auto result = LaunchHostWithPet(world.fs, settings, "B", desktop, starter);
    EXPECT_EQ(result.outcome, LaunchOutcome::kStarted);
    EXPECT_EQ(starter.started, std::vector<std::string>{HostExePath(test::kHostDir)});
    EXPECT_EQ(world.Live(), "B data");
}

TEST_F(LaunchTest, ARunningHostIsRefusedBeforeAnythingChanges) {
    desktop.windows = {{L"Nimbrel - A", true}};
    const auto files = world.fs.files;
    EXPECT_EQ(LaunchHostWithPet(world.fs, settings, "B", desktop, starter).outcome,
              LaunchOutcome::kHostRunning);
    EXPECT_EQ(world.fs.files, files);
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchTest, AMissingExecutableLeavesTheSwapRecorded) {
    world.fs.files.erase(HostExePath(test::kHostDir));
    EXPECT_EQ(LaunchHostWithPet(world.fs, settings, "B", desktop, starter).outcome,
              LaunchOutcome::kHostNotFound);
    EXPECT_EQ(world.ReadBack().activePet, "B");
    EXPECT_TRUE(starter.started.empty());
}

TEST_F(LaunchTest, AProcessThatCannotBeCreatedReports0006) {
    starter.succeeds = false;
    const auto result = LaunchHostWithPet(world.fs, settings, "B", desktop, starter);
    EXPECT_EQ(result.outcome, LaunchOutcome::kFailed);
    EXPECT_STREQ(ErrorCodeText(result.error), "00 06");
    EXPECT_EQ(world.ReadBack().activePet, "B");
}

TEST_F(LaunchTest, ASwapFailureStopsBeforeTheHostStarts) {
    world.fs.folders.erase(test::kHostDir);
    world.fs.files.erase(HostExePath(test::kHostDir));
    world.fs.files.erase(HostSettingsPath(test::kHostDir));
    const auto result = LaunchHostWithPet(world.fs, settings, "B", desktop, starter);
    EXPECT_EQ(result.outcome, LaunchOutcome::kFailed);
    EXPECT_STREQ(ErrorCodeText(result.error), "00 05");
    EXPECT_TRUE(starter.started.empty());
}

}  // namespace
}  // namespace torvin
