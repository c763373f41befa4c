// The real desktop and the real stand-in host under a folder whose path has blanks and
// Japanese, and a pet whose name has a 0x5C trail byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "framework/CodePage.h"
#include "pets/FirstRunLayout.h"
#include "pets/PetPaths.h"
#include "pets/PetRoster.h"
#include "pets/WinDesktopWindows.h"
#include "pets/WinHostStarter.h"
#include "settings/Cp932Texts.h"
#include "settings/WinFileSystem.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

// "ソラ" and "ハナ" in CP932; the first has the trail byte 0x5C.
constexpr char kSora[] = "\x83\x5c\x83\x89";
constexpr char kHana[] = "\x83\x6e\x83\x69";

std::wstring StandInExe() {
    // The build tree's path as Wine sees it.
    std::wstring path = L"Z:" + WidenCp932(NIMBREL_EXE);
    for (auto& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    return path;
}

bool HasWindow(const std::wstring& title) {
    WinDesktopWindows desktop;
    for (const auto& window : desktop.TopWindowsInZOrder()) {
        if (window.visible && window.title == title) {
            return true;
        }
    }
    return false;
}

bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// Closes the stand-in's window as a user would and waits until it is gone.
void CloseHost(const std::wstring& title) {
    HWND window = FindWindowW(L"NimbrelStandIn", title.c_str());
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !HasWindow(title); }));
}

class HostProcessTest : public testing::Test {
  protected:
    void SetUp() override {
        const std::wstring hostFolder = folder.Path() + L"\\\u30db\u30b9\u30c8 \u30d5\u30a9\u30eb\u30c0";
        ASSERT_TRUE(CreateDirectoryW(hostFolder.c_str(), nullptr));
        hostDir = *NarrowCp932(hostFolder);
        ASSERT_TRUE(CopyFileW(StandInExe().c_str(), WidenCp932(HostExePath(hostDir)).c_str(), TRUE));
        settings.versionText = cp932::kVersionText;
    }

    test::TempFolder folder;
    std::string hostDir;
    AppSettings settings;
    WinDesktopWindows desktop;
    WinHostStarter starter;
};

TEST_F(HostProcessTest, StartsTheHostWhichTheWalkSeesAndWhichSavesOnClose) {
    FileSystem& fs = RealFileSystem();
    ASSERT_TRUE(fs.WriteWhole(HostSettingsPath(hostDir), std::string(kSora) + " first\r\n"));
    ASSERT_TRUE(starter.Start(HostExePath(hostDir)));
    const std::wstring title = L"Nimbrel - \u30bd\u30e9 first";
    ASSERT_TRUE(WaitFor([&] { return HasWindow(title); }));
    EXPECT_FALSE(HostNotRunning(desktop));
    CloseHost(title);
    EXPECT_EQ(fs.ReadWhole(HostSettingsPath(hostDir)), std::string(kSora) + " first\r\nsession 1\r\n");
}

TEST_F(HostProcessTest, LaunchesEachPetWithItsOwnFile) {
    FileSystem& fs = RealFileSystem();
    ASSERT_TRUE(fs.WriteWhole(HostSettingsPath(hostDir), std::string(kSora) + "\r\n"));
    ASSERT_EQ(LayOutFirstPet(fs, settings, kSora, hostDir), PetError::kNone);
    ASSERT_EQ(AddPetToRoster(fs, settings, kHana), PetNameProblem::kNone);

    // The new pet starts with no settings file; the host makes one when it closes.
    ASSERT_EQ(LaunchHostWithPet(fs, settings, kHana, desktop, starter).outcome, LaunchOutcome::kStarted);
    CloseHost(L"Nimbrel - (no settings file)");
    ASSERT_EQ(LaunchHostWithPet(fs, settings, kSora, desktop, starter).outcome, LaunchOutcome::kStarted);
    CloseHost(L"Nimbrel - \u30bd\u30e9");
    ASSERT_EQ(LaunchHostWithPet(fs, settings, kHana, desktop, starter).outcome, LaunchOutcome::kStarted);
    CloseHost(L"Nimbrel - session 1");

    EXPECT_EQ(fs.ReadWhole(PetSettingsPath(kSora)), std::string(kSora) + "\r\nsession 1\r\n");
    EXPECT_EQ(fs.ReadWhole(HostSettingsPath(hostDir)), "session 1\r\nsession 2\r\n");
    EXPECT_EQ(fs.ReadWhole(BackupFilePath()), std::string(kSora) + "\r\n");
}

TEST_F(HostProcessTest, AnExecutableThatCannotStartIsReported) {
    FileSystem& fs = RealFileSystem();
    ASSERT_TRUE(fs.RemoveFile(HostExePath(hostDir)));
    ASSERT_TRUE(fs.WriteWhole(HostExePath(hostDir), "not a program"));
    EXPECT_FALSE(starter.Start(HostExePath(hostDir)));
}

TEST(WinDesktopWindows, ReportsTitleAndVisibility) {
    HWND window = CreateWindowW(L"STATIC", L"Nimbrel \u30c6\u30b9\u30c8", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const auto find = [] {
        WinDesktopWindows desktop;
        for (const auto& top : desktop.TopWindowsInZOrder()) {
            if (top.title == L"Nimbrel \u30c6\u30b9\u30c8") {
                return std::optional<bool>(top.visible);
            }
        }
        return std::optional<bool>();
    };
    EXPECT_EQ(find(), false);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(find(), true);
    WinDesktopWindows desktop;
    EXPECT_FALSE(HostNotRunning(desktop));
    DestroyWindow(window);
    EXPECT_EQ(find(), std::nullopt);
}

}  // namespace
}  // namespace torvin
