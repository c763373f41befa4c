// The real Torvin.exe, the very file the release zip carries, started in a fresh working folder
// and driven from outside: its rows and keys, the background choice, damaged or missing settings,
// a second copy, and the mail check against a POP3 server played by the test on loopback.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "mail/MailMessages.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RemoteApp.h"
#include "tests/support/ScriptedPopServer.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::PressButton;
using test::ScriptedPopServer;
using test::WaitUntil;

std::string SettingsWithPets(std::initializer_list<const char*> names, int backgroundKind = 0) {
    std::vector<PetRecord> pets;
    for (const char* name : names) {
        pets.push_back(PetRecord{name, "", "", "", "", 0});
    }
    return test::SettingsFileWith(pets, backgroundKind);
}

BOOL CALLBACK CollectManifest(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR text) {
    HRSRC found = FindResourceW(module, name, type);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    reinterpret_cast<std::string*>(text)->append(bytes, SizeofResource(module, found));
    return TRUE;
}

// A requested execution level would switch off the file virtualisation that a 32-bit host under
// Program Files relies on: Torvin must see the settings file the host sees.
TEST(ShippedExe, AsksForNoExecutionLevel) {
    HMODULE exe = LoadLibraryExW(test::TorvinExe().c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr);
    std::string manifests;
    EnumResourceNamesW(exe, RT_MANIFEST, CollectManifest, reinterpret_cast<LONG_PTR>(&manifests));
    FreeLibrary(exe);
    EXPECT_EQ(manifests.find("requestedExecutionLevel"), std::string::npos) << manifests;
}

class AppEndToEnd : public testing::Test {
  protected:
    // Starts the program over this setting.ini (none written when empty).
    test::RemoteApp& Launch(const std::string& settings = {}) {
        if (!settings.empty()) {
            test::WriteFileBytes(L"setting.ini", settings);
        }
        app_.reset();
        app_ = std::make_unique<test::RemoteApp>(test::TorvinExe(), folder_.Path());
        return *app_;
    }
    // Starts it and waits for its main window. One copy runs per Wine prefix: another test's
    // Torvin keeps this one from opening.
    HWND Start(const std::string& settings = {}) {
        main_ = Launch(settings).WaitForWindow(test::IsMainWindow);
        list_ = GetDlgItem(main_, IDC_PET_LIST);
        EXPECT_NE(main_, nullptr) << "no main window; is another Torvin running in this prefix?";
        return main_;
    }
    std::vector<std::wstring> Rows() const {
        std::vector<std::wstring> rows;
        for (int i = 0; i < test::ListCount(list_); ++i) {
            rows.push_back(test::ListCell(list_, i, 0));
        }
        return rows;
    }
    bool CellBecomes(int row, const std::wstring& text) const {
        return WaitUntil([&] { return test::ListCell(list_, row, 1) == text; });
    }

    test::TempFolder folder_;
    std::unique_ptr<test::RemoteApp> app_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(AppEndToEnd, RowsFollowTheFileEnterSavesItAndEscapeEndsWithoutWriting) {
    const std::string file = SettingsWithPets({"\x83\x6e\x83\x69", "Pochi"});
    for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}}) {
        ASSERT_NE(Start(file + "marker"), nullptr);
        EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"ハナ", L"Pochi"}));
        EXPECT_EQ(test::ListCell(list_, 1, 1), L"");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main_, IDC_MAIL_STOP)));
        PostMessageW(list_, WM_KEYDOWN, key, 0);
        ASSERT_TRUE(app_->WaitForExit());
        EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), key == VK_ESCAPE ? file + "marker" : file);
    }
}

// The colour on screen at client point (7, 7), which lies in the base colour of every tile.
COLORREF BaseColour(HWND window) {
    POINT point{7, 7};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(AppEndToEnd, TheChosenBackgroundIsStoredTheProgramEndsAndTheNextStartShowsIt) {
    constexpr COLORREF kPink = RGB(252, 228, 236), kBlue = RGB(212, 227, 255);
    const struct {
        int kindBefore, radio;
        const char* line;
        COLORREF before, after;
    } choices[] = {{0, IDC_BG_BLUE, "1", kPink, kBlue}, {1, 0, "-1", kBlue, kPink}};
    for (const auto& choice : choices) {
        HWND main = Start(SettingsWithPets({"A"}, choice.kindBefore));
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return BaseColour(main) == choice.before; }));
        PressButton(main, IDC_CHOOSE_BACKGROUND);
        HWND chooser = app_->WaitForWindowWithText(L"好きな色を選んでください♪");
        ASSERT_NE(chooser, nullptr);
        if (choice.radio != 0) {
            SendMessageW(GetDlgItem(chooser, choice.radio), BM_SETCHECK, BST_CHECKED, 0);
        }
        PressButton(chooser, IDOK);
        ASSERT_TRUE(test::Answer(*app_, L"Torvinを終了します。"));
        ASSERT_TRUE(app_->WaitForExit());
        const auto lines = SplitLines(test::ReadFileBytes(L"setting.ini"));
        EXPECT_EQ(lines.size() > 3 ? lines[3] : "<short file>", choice.line);
        HWND again = Start();
        EXPECT_TRUE(again != nullptr && WaitUntil([&] { return BaseColour(again) == choice.after; }));
    }
}

// Only a missing file is a first start: a cut one keeps every complete pet and its original.
TEST_F(AppEndToEnd, ADamagedFileIsKeptBesideAndItsCompletePetsStay) {
    std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}, {"B", "", "", "", "", 1}});
    file.resize(file.size() - 8);  // the last "------" line is gone
    ASSERT_TRUE(test::Answer(Launch(file), L"setting.ini.kept1"));
    ASSERT_NE(main_ = app_->WaitForWindow(test::IsMainWindow), nullptr);
    list_ = GetDlgItem(main_, IDC_PET_LIST);
    EXPECT_EQ(Rows(), std::vector<std::wstring>{L"A"});
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini.kept1"), file);
}

// Escape at the first setup records nothing, so the next start offers the setup again.
TEST_F(AppEndToEnd, AnEscapedSetupShowsNoRowAndLeavesTheSetupForTheNextStart) {
    for (int start = 0; start < 2; ++start) {
        ASSERT_TRUE(test::Answer(Launch(), L"ようこそ、Torvinへ！", IDCANCEL)) << start;
        ASSERT_NE(main_ = app_->WaitForWindow(test::IsMainWindow), nullptr);
        list_ = GetDlgItem(main_, IDC_PET_LIST);
        EXPECT_TRUE(Rows().empty());
        PressButton(main_, IDOK);
        ASSERT_TRUE(app_->WaitForExit());
        EXPECT_EQ(GetFileAttributesW(L"setting.ini"), INVALID_FILE_ATTRIBUTES);
    }
}

// Two copies started at once: creating the mark is the test, so exactly one main window opens.
// The other says so and ends without touching the settings, and once the first is gone a new
// start opens normally.
TEST_F(AppEndToEnd, OfTwoCopiesStartedTogetherOneRunsAndTheOtherTouchesNothing) {
    const std::string file = test::SettingsFileWith({{"A", "", "", "", "", 1}});
    test::WriteFileBytes(L"setting.ini", file);
    test::RemoteApp copies[] = {{test::TorvinExe(), folder_.Path()}, {test::TorvinExe(), folder_.Path()}};
    int winner = -1;
    ASSERT_TRUE(WaitUntil([&] {
        for (winner = 0; winner < 2; ++winner) {
            if (copies[winner].WaitForWindow(test::IsMainWindow, 10) != nullptr) {
                return true;
            }
        }
        return false;
    }));
    test::RemoteApp& first = copies[winner];
    test::RemoteApp& second = copies[1 - winner];
    EXPECT_TRUE(test::Answer(second, L"既に起動されています。"));
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), file);
    PostMessageW(first.WaitForWindow(test::IsMainWindow), WM_SYSCOMMAND, ID_ABOUT_COMMAND, 0);
    HWND about = first.WaitForWindowWithText(L"Torvin Version 1.0");
    EXPECT_EQ(test::WindowText(about), L"Torvinのﾊﾞｰｼﾞｮﾝ情報");
    first.Kill();
    EXPECT_NE(Start(), nullptr);
}

PetRecord MailPet(const char* user, const ScriptedPopServer& server, const char* password, int choice = 0,
                  const std::string& scheme = "") {
    return {user, "",       scheme + "localhost:" + std::to_string(server.Port()),
            user, password, static_cast<std::int8_t>(choice)};
}

// True when the buttons show the checking state (or, with checking false, the idle state).
bool ShowsCheckingState(HWND main, bool checking) {
    for (int id : {IDC_LAUNCH, IDC_ADD_PET, IDC_DELETE_PET, IDC_MAIL_SETTINGS, IDC_MAIL_START, IDC_SNACK,
                   IDC_CHOOSE_BACKGROUND}) {
        if ((IsWindowEnabled(GetDlgItem(main, id)) != FALSE) == checking) {
            return false;
        }
    }
    return (IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)) != FALSE) == checking &&
           IsWindowEnabled(GetDlgItem(main, IDOK)) && IsWindowEnabled(GetDlgItem(main, IDC_PET_LIST));
}

// The server holds each reply until the test lets it go, so the test sees every cell text and
// button state the pass goes through. The pass ends on a wrong password: later pets keep their
// cells and the window returns to idle. Any program can post the worker's messages: forged ones
// neither crash Torvin nor end the pass.
TEST_F(AppEndToEnd, AMailPassShowsEachStepAndReturnsToIdleEvenWhenItFails) {
    auto refused = test::WellBehavedScript(0);
    refused.resize(4);
    refused.push_back(test::Send("-ERR [AUTH] Authentication failed.\r\n"));
    ScriptedPopServer server({test::WellBehavedScript(3), refused}, true);
    ASSERT_NE(Start(test::SettingsFileWith({MailPet("hana", server, "pw1"),
                                            MailPet("pochi", server, "pw2", 1), MailPet("tama", server, ""),
                                            MailPet("kuro", server, "pw4"), MailPet("mike", server, "pw5")})),
              nullptr);
    EXPECT_TRUE(ShowsCheckingState(main_, false));
    PressButton(main_, IDC_MAIL_START);
    PostMessageW(main_, kMailCellsWaitingMessage, 1, 0x5EED);
    PostMessageW(main_, kMailPassEndedMessage, TRUE, 0x5EED);
    for (const wchar_t* step :
         {L"メールチェックを開始します。", L"USER ID送信中", L"パスワード送信中", L"到着メール数確認中"}) {
        ASSERT_TRUE(CellBecomes(0, step)) << testing::PrintToString(std::wstring(step));
        EXPECT_TRUE(ShowsCheckingState(main_, true));
        server.Release();
    }
    for (int i = 0; i < 4; ++i) {  // QUIT, then Kuro's greeting, USER and PASS
        server.Release();
    }
    ASSERT_TRUE(CellBecomes(3, L"パスワードが違います"));
    EXPECT_EQ(test::ListCell(list_, 0, 1), L"メールが3通あります");
    EXPECT_EQ(test::ListCell(list_, 1, 1), L"メールチェックを開始します。");
    EXPECT_EQ(test::ListCell(list_, 2, 1), L"パスワードが設定されていません");
    EXPECT_TRUE(WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_EQ(test::ListCell(list_, 4, 1), L"");
}

// "終了しない" lets the pass go on; "強制終了" ends the program at once without writing the
// settings, also while a server says nothing or a TLS handshake never completes.
TEST_F(AppEndToEnd, StoppingAMailCheckIsConfirmedFirstAndThenEndsTheProgramAtOnce) {
    for (const char* scheme : {"", "pop3s://"}) {
        SCOPED_TRACE(scheme);
        ScriptedPopServer server({std::vector<test::ServerStep>{}});
        ASSERT_NE(Start(test::SettingsFileWith({MailPet("hana", server, "pw", 0, scheme)})), nullptr);
        PressButton(main_, IDC_MAIL_START);
        ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));
        const std::string onDisk = test::ReadFileBytes(L"setting.ini") + "marker";
        test::WriteFileBytes(L"setting.ini", onDisk);
        for (int answer : {IDCANCEL, IDOK}) {
            PressButton(main_, IDC_MAIL_STOP);
            ASSERT_TRUE(test::Answer(*app_, L"メールチェックを強制終了します。", answer));
        }
        // Far less than the 15 s connect or 30 s reply deadline the worker would otherwise wait.
        EXPECT_TRUE(app_->WaitForExit(5000));
        EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), onDisk);
    }
}

}  // namespace
}  // namespace torvin
