#include "mail/MailCheckRunner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>

#include "mail/MailListCell.h"
#include "mail/MailMessages.h"
#include "tests/mail/ScriptedPopServer.h"

namespace torvin::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// A message-only window standing in for the main window: the test pumps its messages.
class Receiver {
  public:
    Receiver()
        : window_(
              CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~Receiver() { Drain(); }

    HWND Get() const { return window_.Get(); }

    // Collects cell updates until the pass-ended message or the limit; true when it came.
    bool WaitForPassEnd(std::chrono::milliseconds limit) {
        return Pump(limit, [](const MailCellUpdate&) { return false; }) && passEnded_;
    }

    // True when a cell update with this text arrived within the limit.
    bool WaitForCell(MailCellText text, std::chrono::milliseconds limit) {
        return Pump(limit, [text](const MailCellUpdate& update) { return update.cell.text == text; }) &&
               !passEnded_;
    }

    std::vector<MailCellUpdate> cells;
    bool wentThroughAll = false;

  private:
    template <typename Until>
    bool Pump(std::chrono::milliseconds limit, Until until) {
        passEnded_ = false;
        const auto deadline = Clock::now() + limit;
        for (;;) {
            MSG msg{};
            while (PeekMessageW(&msg, window_.Get(), 0, 0, PM_REMOVE)) {
                if (msg.message == kMailCellMessage) {
                    cells.push_back(*AdoptMailCellUpdate(msg.lParam));
                    if (until(cells.back())) {
                        return true;
                    }
                } else if (msg.message == kMailPassEndedMessage) {
                    passEnded_ = true;
                    wentThroughAll = msg.wParam != FALSE;
                    return true;
                }
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left <= 0ms) {
                return false;
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_POSTMESSAGE);
        }
    }

    // Frees any payload still queued, as the real window's handler would.
    void Drain() {
        MSG msg{};
        while (PeekMessageW(&msg, window_.Get(), kMailCellMessage, kMailCellMessage, PM_REMOVE)) {
            AdoptMailCellUpdate(msg.lParam);
        }
    }

    UniqueWindow window_;
    bool passEnded_ = false;
};

class MailCheckRunnerTest : public testing::Test {
  protected:
    void SetUp() override { StartWinsockForTests(); }
};

MailAccount Loopback(std::string user = "taro") {
    return {"127.0.0.1", std::move(user), "secret", 0};
}

TEST_F(MailCheckRunnerTest, PostsEveryCellTextAndTheEndOfThePass) {
    ScriptedPopServer server({WellBehavedScript(2)});
    Receiver receiver;
    MailCheckRunner runner(receiver.Get(), server.Port(), {2s, 2s});
    ASSERT_TRUE(runner.Start({Loopback(), {"", "", "", 1}}));
    EXPECT_FALSE(runner.Start({Loopback()}));  // one pass at a time
    ASSERT_TRUE(receiver.WaitForPassEnd(10s));
    EXPECT_TRUE(receiver.wentThroughAll);
    EXPECT_FALSE(runner.Running());
    ASSERT_EQ(receiver.cells.size(), 6u);
    EXPECT_EQ(receiver.cells[4].pet, 0);
    EXPECT_EQ(receiver.cells[4].cell, (MailCell{MailCellText::kMailCount, 2}));
    EXPECT_EQ(receiver.cells[5].pet, 1);
    EXPECT_EQ(receiver.cells[5].cell.text, MailCellText::kStarting);
}

TEST_F(MailCheckRunnerTest, AFailedPassEndsTooAndAnotherCanStart) {
    ScriptedPopServer server({{Send("-ERR busy\r\n")}, WellBehavedScript(4)});
    Receiver receiver;
    MailCheckRunner runner(receiver.Get(), server.Port(), {2s, 2s});
    ASSERT_TRUE(runner.Start({Loopback(), Loopback()}));
    ASSERT_TRUE(receiver.WaitForPassEnd(10s));
    EXPECT_FALSE(receiver.wentThroughAll);
    EXPECT_FALSE(runner.Running());
    EXPECT_EQ(receiver.cells.back().cell.text, MailCellText::kWrongServer);

    ASSERT_TRUE(runner.Start({Loopback()}));
    ASSERT_TRUE(receiver.WaitForPassEnd(10s));
    EXPECT_TRUE(receiver.wentThroughAll);
    EXPECT_EQ(receiver.cells.back().cell, (MailCell{MailCellText::kMailCount, 4}));
}

TEST_F(MailCheckRunnerTest, ForceStopWakesASilentServerAtOnce) {
    ScriptedPopServer server({{Send("+OK ready\r\n"), ReadLine(), Silence()}});
    Receiver receiver;
    // Deadlines as long as the program's: only the stop can end this pass quickly.
    MailCheckRunner runner(receiver.Get(), server.Port());
    ASSERT_TRUE(runner.Start({Loopback(), Loopback()}));
    ASSERT_TRUE(receiver.WaitForCell(MailCellText::kSendingUserId, 10s));
    const auto start = Clock::now();
    runner.ForceStop();
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_FALSE(runner.Running());
    receiver.cells.clear();
    ASSERT_TRUE(receiver.WaitForPassEnd(1s));
    EXPECT_TRUE(receiver.cells.empty());
}

TEST(MailListCell, WritesThePostedTextIntoColumnOne) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    UniqueWindow list(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr,
                                      nullptr, nullptr, nullptr));
    ASSERT_TRUE(list);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(list.Get(), 0, &column);
    ListView_InsertColumn(list.Get(), 1, &column);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    wchar_t name[] = L"ポチ";
    item.pszText = name;
    ListView_InsertItem(list.Get(), &item);

    auto count = std::make_unique<MailCellUpdate>(MailCellUpdate{0, {MailCellText::kMailCount, 1200}});
    EXPECT_TRUE(ApplyMailCellMessage(list.Get(), reinterpret_cast<LPARAM>(count.release())));
    wchar_t text[100] = {};
    ListView_GetItemText(list.Get(), 0, 1, text, 100);
    EXPECT_STREQ(text, L"メールが1200通あります");

    auto starting = std::make_unique<MailCellUpdate>(MailCellUpdate{0, {MailCellText::kNoServer, 0}});
    EXPECT_TRUE(ApplyMailCellMessage(list.Get(), reinterpret_cast<LPARAM>(starting.release())));
    ListView_GetItemText(list.Get(), 0, 1, text, 100);
    EXPECT_STREQ(text, L"POPサーバーが設定されていません。");

    auto missingRow = std::make_unique<MailCellUpdate>(MailCellUpdate{3, {MailCellText::kStarting, 0}});
    EXPECT_FALSE(ApplyMailCellMessage(list.Get(), reinterpret_cast<LPARAM>(missingRow.release())));
}

}  // namespace
}  // namespace torvin::test
