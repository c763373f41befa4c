// The mail check of the real Torvin.exe against a POP3 server played by this test on
// 127.0.0.1:110, the port the program always uses. The server can hold each reply until the test
// lets it go, so the test sees every cell text and button state the pass goes through.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "settings/AppSettings.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsFormat.h"
#include "tests/app/TorvinUnderTest.h"
#include "tests/support/FileBytes.h"
#include "tests/support/RemoteApp.h"
#include "tests/support/TempFolder.h"

namespace torvin {
namespace {

constexpr std::uint16_t kPop3Port = 110;

// A script that runs out leaves the server silent until the client goes away.
struct Step {
    enum class Kind { kReply, kReadLine };
    Kind kind;
    std::string bytes;
};

Step Reply(std::string bytes) {
    return {Step::Kind::kReply, std::move(bytes)};
}
Step ReadLine() {
    return {Step::Kind::kReadLine, {}};
}

std::vector<Step> Mailbox(int count) {
    return {Reply("+OK Dovecot (Debian) ready.\r\n"),
            ReadLine(),
            Reply("+OK\r\n"),
            ReadLine(),
            Reply("+OK Logged in.\r\n"),
            ReadLine(),
            Reply("+OK " + std::to_string(count) + " 423\r\n"),
            ReadLine(),
            Reply("+OK Logging out.\r\n")};
}

// Plays one script per accepted connection. When gated, each reply waits for Release(); the
// destructor releases everything, so a test that fails never leaves the thread waiting.
class PopServer {
  public:
    PopServer(std::vector<std::vector<Step>> scripts, bool gated)
        : listener_(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)), gated_(gated) {
        const BOOL reuse = TRUE;
        setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
                   sizeof(reuse));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(kPop3Port);
        listening_ = bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
                     listen(listener_.Get(), 4) == 0;
        thread_ = std::thread([this, all = std::move(scripts)] { Serve(all); });
    }
    ~PopServer() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        released_.notify_all();
        thread_.join();
    }
    PopServer(const PopServer&) = delete;
    PopServer& operator=(const PopServer&) = delete;

    bool Listening() const { return listening_; }
    // Lets the next held reply go.
    void Release() {
        std::lock_guard lock(mutex_);
        ++releases_;
        released_.notify_all();
    }
    std::vector<std::string> Lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

  private:
    void Serve(const std::vector<std::vector<Step>>& scripts) {
        for (const auto& script : scripts) {
            if (!WaitReadable(listener_.Get())) {
                return;
            }
            UniqueSocket client(accept(listener_.Get(), nullptr, nullptr));
            if (!client) {
                return;
            }
            Play(client.Get(), script);
        }
    }

    void Play(SOCKET client, const std::vector<Step>& script) {
        for (const Step& step : script) {
            switch (step.kind) {
                case Step::Kind::kReply:
                    if (!AwaitRelease()) {
                        return;
                    }
                    send(client, step.bytes.data(), static_cast<int>(step.bytes.size()), 0);
                    break;
                case Step::Kind::kReadLine: {
                    std::string line;
                    char c = 0;
                    while (WaitReadable(client) && recv(client, &c, 1, 0) == 1 && c != '\n') {
                        line.push_back(c);
                    }
                    std::lock_guard lock(mutex_);
                    lines_.push_back(line);
                    break;
                }
            }
        }
        char rest[256];
        while (WaitReadable(client) && recv(client, rest, sizeof(rest), 0) > 0) {
        }
    }

    // Waits in short slices so that the destructor never waits for a client that stays.
    bool WaitReadable(SOCKET socket) {
        for (int slice = 0; slice < 200; ++slice) {
            {
                std::lock_guard lock(mutex_);
                if (stopping_) {
                    return false;
                }
            }
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(socket, &readable);
            timeval timeout{0, 100'000};
            const int ready = select(0, &readable, nullptr, nullptr, &timeout);
            if (ready != 0) {
                return ready == 1;
            }
        }
        return false;
    }

    bool AwaitRelease() {
        std::unique_lock lock(mutex_);
        if (!gated_) {
            return !stopping_;
        }
        released_.wait(lock, [this] { return stopping_ || releases_ > 0; });
        if (stopping_) {
            return false;
        }
        --releases_;
        return true;
    }

    UniqueSocket listener_;
    bool gated_;
    bool listening_ = false;
    std::mutex mutex_;
    std::condition_variable released_;
    int releases_ = 0;
    bool stopping_ = false;
    std::vector<std::string> lines_;
    std::thread thread_;
};

PetRecord Pet(const char* name, const char* server, const char* user, const char* password, int choice = 0) {
    PetRecord pet;
    pet.name = name;
    pet.popServer = server;
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
    static void SetUpTestSuite() {
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data);
    }

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
    PopServer server({Mailbox(3), Mailbox(0)}, true);
    ASSERT_TRUE(server.Listening()) << "cannot listen on 127.0.0.1:110";
    ASSERT_NE(Start({Pet("Hana", "127.0.0.1", "hana", "pw1"), Pet("Pochi", "127.0.0.1", "pochi", "pw2", 1),
                     Pet("Tama", "127.0.0.1", "tama", ""), Pet("Kuro", "127.0.0.1", "kuro", "pw4")}),
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
    EXPECT_EQ(server.Lines(), (std::vector<std::string>{"USER hana\r", "PASS pw1\r", "STAT\r", "QUIT\r",
                                                        "USER kuro\r", "PASS pw4\r", "STAT\r", "QUIT\r"}));
}

TEST_F(MailEndToEnd, AFailedPassStillReturnsToIdleAndLeavesLaterPetsAlone) {
    PopServer server({{Reply("+OK Dovecot (Debian) ready.\r\n"), ReadLine(), Reply("+OK\r\n"), ReadLine(),
                       Reply("-ERR [AUTH] Authentication failed.\r\n")}},
                     false);
    ASSERT_TRUE(server.Listening());
    ASSERT_NE(Start({Pet("Hana", "127.0.0.1", "hana", "wrong"), Pet("Pochi", "127.0.0.1", "pochi", "pw")}),
              nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"パスワードが違います"));
    EXPECT_TRUE(test::WaitUntil([&] { return ShowsCheckingState(main_, false); }));
    EXPECT_EQ(test::ListCell(list_, 1, 1), L"");
}

TEST_F(MailEndToEnd, KeepingThePassAfterStopLetsItFinish) {
    PopServer server({Mailbox(3)}, true);
    ASSERT_TRUE(server.Listening());
    ASSERT_NE(Start({Pet("Hana", "127.0.0.1", "hana", "pw")}), nullptr);
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

TEST_F(MailEndToEnd, ForceStopEndsTheProgramAtOnceWhileTheServerIsSilent) {
    PopServer server({{Reply("+OK ready.\r\n"), ReadLine()}}, false);
    ASSERT_TRUE(server.Listening());
    ASSERT_NE(Start({Pet("Hana", "127.0.0.1", "hana", "pw")}), nullptr);
    test::PressButton(main_, IDC_MAIL_START);
    ASSERT_TRUE(CellBecomes(0, L"USER ID送信中"));
    const std::string onDisk = test::ReadFileBytes(L"setting.ini") + "marker";
    test::WriteFileBytes(L"setting.ini", onDisk);

    HWND confirm = PressStop();
    ASSERT_NE(confirm, nullptr);
    test::PressButton(confirm, IDOK);
    // Far less than the 15 s connect or 30 s reply deadline the worker would otherwise wait.
    EXPECT_TRUE(app_->WaitForExit(5000));
    EXPECT_EQ(test::ReadFileBytes(L"setting.ini"), onDisk);
}

TEST_F(MailEndToEnd, ExitDuringAPassEndsTheProgramAndSavesTheSettings) {
    PopServer server({std::vector<Step>{}}, false);
    ASSERT_TRUE(server.Listening());
    const PetRecord hana = Pet("Hana", "127.0.0.1", "hana", "pw");
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
