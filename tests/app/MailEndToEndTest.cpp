// The mail check of the real Torvin.exe against a POP3 server played by this test on loopback.
// The server can hold each reply until the test lets it go, so the test sees every cell text and
// button state the pass goes through.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RemoteApp.h"
#include "tests/support/ScriptedPopServer.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::ReadLine;
using test::ScriptedPopServer;
using test::Send;
using test::WellBehavedScript;

// `server` is a scheme (or nothing) before localhost:<port>.
PetRecord Pet(const char* name, const ScriptedPopServer& server, const char* user, const char* password,
              int choice = 0, const std::string& scheme = "") {
    PetRecord pet;
    pet.name = name;
    pet.popServer = scheme + "localhost:" + std::to_string(server.Port());
    pet.userId = user;
    pet.password = password;
    pet.mailCheckChoice = static_cast<std::int8_t>(choice);
    return pet;
}

constexpr int kCheckingOff[] = {IDC_LAUNCH,     IDC_ADD_PET, IDC_DELETE_PET,       IDC_MAIL_SETTINGS,
                                IDC_MAIL_START, IDC_SNACK,   IDC_CHOOSE_BACKGROUND};

// True when the buttons show the checking state (or, with checking false, the idle state).
bool ShowsCheckingState(HWND main, bool checking) {
    for (int id : kCheckingOff) {
        if ((IsWindowEnabled(GetDlgItem(main, id)) != FALSE) == checking) {
            return false;
        }
    }
    return (IsWindowEnabled(GetDlgItem(main, IDC_MAIL_STOP)) != FALSE) == checking &&
           IsWindowEnabled(GetDlgItem(main, IDOK)) && IsWindowEnabled(GetDlgItem(main, IDC_PET_LIST));
}

class MailEndToEnd : public testing::Test {
  protected:
    // Starts Torvin over the pets and returns its main window, or null.
    HWND Start(std::initializer_list<PetRecord> pets) {
        test::WriteFileBytes(L"setting.ini", test::SettingsFileWith(pets));
        app_ = std::make_unique<test::RemoteApp>(test::TorvinExe(), folder_.Path());
        if (!app_->Started()) {
            return nullptr;
        }
        main_ = app_->WaitForWindow(test::IsMainWindow);
        // One copy runs per Wine prefix: another test's Torvin keeps this one from opening.
        EXPECT_NE(main_, nullptr) << "no main window; is another Torvin running in this prefix?";
        list_ = GetDlgItem(main_, IDC_PET_LIST);
        return main_;
    }

    bool CellBecomes(int row, const std::wstring& text) {
        return test::WaitUntil([&] { return test::ListCell(list_, row, 1) == text; });
    }

    // Presses "中断" and returns the confirmation, found by its first line.
    HWND PressStop() {
        test::PressButton(main_, IDC_MAIL_STOP);
        return app_->WaitForWindowWithText(L"メールチェックを強制終了します。");
    }

    test::TempFolder folder_;
    std::unique_ptr<test::RemoteApp> app_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(MailEndToEnd, APassShowsEachStepThenTheCountsAndReturnsToIdle) {
    ScriptedPopServer server({WellBehavedScript(3), WellBehavedScript(0)}, true);
    ASSERT_NE(Start({Pet("Hana", server, "hana", "pw1"), Pet("Pochi", server, "pochi", "pw2", 1),
                     Pet("Tama", server, "tama", ""), Pet("Kuro", server, "kuro", "pw4")}),
              nullptr);
    EXPECT_TRUE(ShowsCheckingState(main_, false));

    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));
    EXPECT_TRUE(ShowsCheckingState(main_, true));
    const wchar_t* const steps[] = {L"USER ID送信中", L"パスワード送信中", L"到着メール数確認中"};
    for (const wchar_t* step : steps) {
        server.Release();
        ASSERT_TRUE(CellBecomes(0, step)) << testing::PrintToString(std::wstring(step));
        EXPECT_TRUE(ShowsCheckingState(main_, true));
    }
    server.Release();
    server.Release();
    ASSERT_TRUE(CellBecomes(0, L"メールが3通あります"));
    EXPECT_EQ(test::ListCell(list_, 1, 1), L"メールチェックを開始します。");
    EXPECT_EQ(test::ListCell(list_, 2, 1), L"パスワードが設定されていません");
    ASSERT_TRUE(CellBecomes(3, L"メールチェックを開始します。"));
    EXPECT_TRUE(ShowsCheckingState(main_, true));
    for (int i = 0; i < 5; ++i) {
        server.Release();
    }
    ASSERT_TRUE(CellBecomes(3, L"メールが0通あります"));
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_EQ(server.LinesReceived(),
              (std::vector<std::string>{"USER hana\r", "PASS pw1\r", "STAT\r", "QUIT\r", "USER kuro\r",
                                        "PASS pw4\r", "STAT\r", "QUIT\r"}));
}

TEST_F(MailEndToEnd, AFailedPassStillReturnsToIdleAndLeavesLaterPetsAlone) {
    ScriptedPopServer server(
        {{Send("+OK ready.\r\n"), ReadLine(), Send("+OK\r\n"), ReadLine(), Send("-ERR [AUTH] failed.\r\n")}});
    ASSERT_NE(Start({Pet("Hana", server, "hana", "wrong"), Pet("Pochi", server, "pochi", "pw")}), nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"パスワードが違います"));
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_EQ(test::ListCell(list_, 1, 1), L"");
}

TEST_F(MailEndToEnd, KeepingThePassAfterStopLetsItFinish) {
    ScriptedPopServer server({WellBehavedScript(3)}, true);
    ASSERT_NE(Start({Pet("Hana", server, "hana", "pw")}), nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));

    HWND confirm = PressStop();
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(test::WindowText(GetDlgItem(confirm, IDOK)), L"強制終了");
    EXPECT_EQ(test::WindowText(GetDlgItem(confirm, IDCANCEL)), L"終了しない");
    // The pass goes on behind the open confirmation.
    server.Release();
    EXPECT_TRUE(CellBecomes(0, L"USER ID送信中"));
    test::PressButton(confirm, IDCANCEL);
    ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(confirm); }));
    EXPECT_TRUE(ShowsCheckingState(main_, true));

    for (int i = 0; i < 4; ++i) {
        server.Release();
    }
    EXPECT_TRUE(CellBecomes(0, L"メールが3通あります"));
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_TRUE(IsWindow(main_));
}

// Mid-handshake too: the server accepts a TLS connection and never answers it.
TEST_F(MailEndToEnd, ForceStopEndsTheProgramAtOnceWhileTheServerIsSilent) {
    for (const char* scheme : {"", "pop3s://"}) {
        SCOPED_TRACE(scheme);
        ScriptedPopServer server({std::vector<test::ServerStep>{}});
        ASSERT_NE(Start({Pet("Hana", server, "hana", "pw", 0, scheme)}), nullptr);
        test::PressButton(main_, IDC_MAIL_START);
        ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));
        const std::string onDisk = test::ReadFileBytes(L"setting.ini") + "marker";
        test::WriteFileBytes(L"setting.ini", onDisk);

        HWND confirm = PressStop();
        ASSERT_NE(confirm, nullptr);
        test::PressButton(confirm, IDOK);
        // Far less than the 15 s connect or 30 s reply deadline the worker would otherwise wait.
        EXPECT_TRUE(app_->WaitForExit(5000));
        EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), onDisk);
    }
}

TEST_F(MailEndToEnd, ExitDuringAPassEndsTheProgramAndSavesTheSettings) {
    ScriptedPopServer server({std::vector<test::ServerStep>{}});
    const PetRecord hana = Pet("Hana", server, "hana", "pw");
    ASSERT_NE(Start({hana}), nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));
    test::WriteFileBytes(L"setting.ini", "marker");
    test::PressButton(main_, IDOK);
    EXPECT_TRUE(app_->WaitForExit(5000));
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), test::SettingsFileWith({hana}));
}

TEST_F(MailEndToEnd, WithNoPetsThePassEndsAtOnce) {
    ASSERT_NE(Start({}), nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
}

}  // namespace
}  // namespace torvin
