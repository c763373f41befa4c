// A real press on a notice's body and a drag move the notice, as a captionless window must.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "pets/ErrorCodeDialog.h"
#include "pets/NoticeDialog.h"

namespace torvin {
namespace {

using Clock = std::chrono::steady_clock;

void SendMouse(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    // Absolute positions are given on a 0..65535 scale across the primary screen.
    input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &input, sizeof input);
}

POINT TopLeft(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return {frame.left, frame.top};
}

// The user's hand: once the window's thread is in the system's move loop, moves and releases.
POINT MoveAndRelease(DWORD windowThread, POINT to) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    while (GetGUIThreadInfo(windowThread, &info) && (info.flags & GUI_INMOVESIZE) == 0 &&
           Clock::now() < deadline) {
        std::this_thread::yield();
    }
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, to);
    POINT released{};
    GetCursorPos(&released);
    SendMouse(MOUSEEVENTF_LEFTUP);
    return released;
}

TEST(NoticeDrag, PressingTheBodyAndMovingMovesTheNotice) {
    std::unique_ptr<SkinDialog> notices[] = {
        std::make_unique<NoticeDialog>(IDD_NO_PET_SELECTED, NoticeDialog::Options{}),
        std::make_unique<ErrorCodeDialog>("00 01")};
    for (auto& notice : notices) {
        SCOPED_TRACE(notice->TemplateId());
        ASSERT_NE(notice->CreateModeless(), nullptr);
        const HWND window = notice->Window();
        SetWindowPos(window, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        // Left of the button and below the texts in both templates: bare body.
        RECT body = {5, 50, 5, 50};
        MapDialogRect(window, &body);
        POINT press = {body.left, body.top};
        ClientToScreen(window, &press);
        SetCursorPos(press.x, press.y);
        POINT released{};
        std::thread hand([&] {
            released =
                MoveAndRelease(GetWindowThreadProcessId(window, nullptr), {press.x + 40, press.y + 30});
        });
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        const POINT before = TopLeft(window);
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (TopLeft(window).x == before.x && Clock::now() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                DispatchMessageW(&message);
            }
        }
        hand.join();
        EXPECT_EQ(TopLeft(window).x - before.x, released.x - press.x);
        EXPECT_EQ(TopLeft(window).y - before.y, released.y - press.y);
    }
}

}  // namespace
}  // namespace torvin
