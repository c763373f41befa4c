// The mail check of the real Torvin.exe against a POP3 server played by this test on loopback.
// The server holds each reply until the test lets it go, so the test sees every cell text and
// button state the pass goes through.
#include <gtest/gtest.h>

#include <windows.h>

#include "mail/MailMessages.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/ScriptedPopServer.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

using test::ScriptedPopServer;

PetRecord Pet(const char* user, const ScriptedPopServer& server, const char* password, int choice = 0,
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

class MailEndToEnd : public testing::Test {
  protected:
    // Starts Torvin over the pets and presses "開始".
    void StartCheck(std::initializer_list<PetRecord> pets) {
        test::WriteFileBytes(L"setting.ini", test::SettingsFileWith(pets));
        app_ = std::make_unique<test::RemoteApp>(test::TorvinExe(), folder_.Path());
        main_ = app_->Started() ? app_->WaitForWindow(test::IsMainWindow) : nullptr;
        // One copy runs per Wine prefix: another test's Torvin keeps this one from opening.
        ASSERT_NE(main_, nullptr) << "no main window; is another Torvin running in this prefix?";
        list_ = GetDlgItem(main_, IDC_PET_LIST);
        EXPECT_TRUE(ShowsCheckingState(main_, false));
        test::PressButton(main_, IDC_MAIL_START);
    }

    bool CellBecomes(int row, const std::wstring& text) {
        return test::WaitUntil([&] { return test::ListCell(list_, row, 1) == text; });
    }

    test::TempFolder folder_;
    std::unique_ptr<test::RemoteApp> app_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

// The pass ends on a wrong password: later pets keep their cells and the window returns to idle.
// Any program can post the worker's messages: forged ones neither crash Torvin nor end the pass.
TEST_F(MailEndToEnd, APassShowsEachStepAndReturnsToIdleEvenWhenItFails) {
    auto refused = test::WellBehavedScript(0);
    refused.resize(4);
    refused.push_back(test::Send("-ERR [AUTH] Authentication failed.\r\n"));
    ScriptedPopServer server({test::WellBehavedScript(3), refused}, true);
    ASSERT_NO_FATAL_FAILURE(
        StartCheck({Pet("hana", server, "pw1"), Pet("pochi", server, "pw2", 1), Pet("tama", server, ""),
                    Pet("kuro", server, "pw4"), Pet("mike", server, "pw5")}));
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
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_EQ(test::ListCell(list_, 4, 1), L"");
}

// "終了しない" lets the pass go on; "強制終了" ends the program at once without writing the
// settings, also while a server says nothing or a TLS handshake never completes.
TEST_F(MailEndToEnd, StopIsConfirmedFirstAndThenEndsTheProgramAtOnce) {
    for (const char* scheme : {"", "pop3s://"}) {
        SCOPED_TRACE(scheme);
        ScriptedPopServer server({std::vector<test::ServerStep>{}});
        ASSERT_NO_FATAL_FAILURE(StartCheck({Pet("hana", server, "pw", 0, scheme)}));
        ASSERT_TRUE(CellBecomes(0, L"メールチェックを開始します。"));
        const std::string onDisk = test::ReadFileBytes(L"setting.ini") + "marker";
        test::WriteFileBytes(L"setting.ini", onDisk);
        for (int answer : {IDCANCEL, IDOK}) {
            test::PressButton(main_, IDC_MAIL_STOP);
            HWND confirm = app_->WaitForWindowWithText(L"メールチェックを強制終了します。");
            ASSERT_NE(confirm, nullptr);
            test::PressButton(confirm, answer);
            ASSERT_TRUE(test::WaitUntil([&] { return !IsWindow(confirm); }));
        }
        // Far less than the 15 s connect or 30 s reply deadline the worker would otherwise wait.
        EXPECT_TRUE(app_->WaitForExit(5000));
        EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), onDisk);
    }
}

}  // namespace
}  // namespace torvin
