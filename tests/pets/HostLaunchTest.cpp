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

TEST(LaunchHostWithPet, EachSaveBackKeepsExactlyThePreviousGeneration) {
    test::PetWorld world;
    AppSettings settings;
    settings.versionText = cp932::kVersionText;
    settings.hostDir = test::kHostDir;
    settings.petCount = 2;
    settings.pets[0].name = "A";
    settings.pets[1].name = "B";
    settings.activePet = "A";
    world.fs.folders.insert(StorageRootPath());
    world.fs.folders.insert(PetFolderPath("A"));
    world.fs.files[PetSettingsPath("A")] = "A1";
    FakeDesktop desktop;
    for (const char* live : {"A2", "B1", "A3", "B2", "A4"}) {
        world.SetLive(live);
        const char* next = live[0] == 'A' ? "B" : "A";
        ASSERT_EQ(LaunchHostWithPet(world.fs, settings, next, desktop, desktop).outcome,
                  LaunchOutcome::kStarted);
    }
    EXPECT_EQ(world.Stored("A"), "A4");
    EXPECT_EQ(world.fs.ReadWhole(PetBackupGenerationPath("A")), "A3");
    EXPECT_EQ(world.fs.ReadWhole(PetBackupGenerationPath("B")), "B1");
    EXPECT_EQ(world.Live(), "B2");
    EXPECT_EQ(world.ReadBack().activePet, "B");
    // A pet never launched has no file yet: the host starts without one, twice over.
    settings.pets[2].name = "C";
    settings.petCount = 3;
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(LaunchHostWithPet(world.fs, settings, "C", desktop, desktop).outcome,
                  LaunchOutcome::kStarted);
        EXPECT_FALSE(world.Live());
    }
    EXPECT_EQ(world.Stored("B"), "B2");
    for (const char* pet : {"A", "B"}) {
        EXPECT_FALSE(world.fs.PathExists(PetRetiredGenerationPath(pet)));
    }
}

}  // namespace
}  // namespace torvin
