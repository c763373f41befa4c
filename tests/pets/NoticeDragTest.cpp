// A real press on a notice's body and a drag move the notice, as a captionless window must.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "pets/ErrorCodeDialog.h"
#include "pets/NoticeDialog.h"

namespace torvin {
namespace {

// The user's hand: once the window's thread runs the system's move loop, moves and lets go.
void MoveAndRelease(HWND window, POINT to) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    GUITHREADINFO info{sizeof info, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    while (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           (info.flags & GUI_INMOVESIZE) == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    SetCursorPos(to.x, to.y);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

TEST(NoticeDrag, PressingTheBodyAndMovingMovesTheNotice) {
    NoticeDialog noPetSelected(IDD_NO_PET_SELECTED, NoticeDialog::Options{});
    ErrorCodeDialog errorCode("00 01");
    for (Dialog* notice : {static_cast<Dialog*>(&noPetSelected), static_cast<Dialog*>(&errorCode)}) {
        SCOPED_TRACE(notice->TemplateId());
        const HWND window = notice->CreateModeless();
        ASSERT_NE(window, nullptr);
        SetWindowPos(window, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        // Left of the button and below the texts in both templates: bare body.
        RECT body = {5, 50, 5, 50};
        MapDialogRect(window, &body);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&body), 1);
        SetCursorPos(body.left, body.top);
        std::thread hand([&] { MoveAndRelease(window, {body.left + 40, body.top + 30}); });
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        RECT frame{};
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (MSG message{}; GetWindowRect(window, &frame) && frame.left == 100 &&
                            std::chrono::steady_clock::now() < deadline;) {
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        hand.join();
        EXPECT_EQ(frame.left, 100 + 40);
        EXPECT_EQ(frame.top, 100 + 30);
    }
    // Out of the way of the windows that later tests open under the pointer.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

}  // namespace
}  // namespace torvin
