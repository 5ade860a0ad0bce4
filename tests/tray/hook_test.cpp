// modSysTray: the hook tables and the procedure every hooked window runs.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "tray/c_sys_tray.h"
#include "tray/mod_sys_tray.h"

namespace {

TEST(HookWindow, UnhookingMovesTheLastEntryIntoTheFreedPositionAndTheOthersKeepTheirOwners) {
    const std::uint32_t comm = GetCommMessage();
    EXPECT_EQ(RegisterWindowMessageA("CSYSTRAY_COMM_MESSAGE"), comm) << "registered once";
    std::vector<std::string> log;
    std::deque<std::pair<std::int32_t, std::shared_ptr<cSysTray>>> windows;
    for (const std::string name : {"A", "B", "C"}) {
        auto& [hWnd, owner] = windows.emplace_back(
            RegisterWindowHandle([&log, name](std::uint32_t message, std::int32_t, std::int32_t) {
                log.push_back(name + " got " + std::to_string(message));
            }),
            std::make_shared<cSysTray>());
        owner->RightClick = [&log, name](std::int32_t IconID) {
            log.push_back(name + " RightClick " + std::to_string(IconID));
        };
        ASSERT_EQ(HookWindow(hWnd, owner), vbTrue);
        EXPECT_EQ(HookWindow(hWnd, owner), vbFalse) << "a second hook";
    }
    const std::int32_t a = windows[0].first, b = windows[1].first, c = windows[2].first;
    EXPECT_EQ(HookWindow(0, windows[0].second), vbFalse);
    EXPECT_EQ(UnhookWindow(a), vbTrue);
    EXPECT_EQ(UnhookWindow(a), vbFalse) << "not hooked: nothing to undo";
    EXPECT_EQ(std::vector<std::int32_t>(HookedWnds().begin(), HookedWnds().end()),
              (std::vector<std::int32_t>{c, b}));

    // A has its own procedure back; B and C still hand the message to their owners, and other
    // messages pass unchanged.
    for (const auto& [hWnd, wParam] : {std::pair{a, 1}, {b, 2}, {c, 3}})
        PostMessageA(hWnd, comm, wParam, WM_RBUTTONUP);
    PostMessageA(c, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    DispatchPostedMessages();
    const std::string got = " got " + std::to_string(comm);
    EXPECT_EQ(log, (std::vector<std::string>{"A" + got, "B RightClick 2", "B" + got,
                                             "C RightClick 3", "C" + got, "C got 512"}));

    EXPECT_EQ(UnhookWindow(c), vbTrue);
    EXPECT_EQ(UnhookWindow(b), vbTrue);
    EXPECT_TRUE(HookedWnds().empty());
    log.clear();
    EXPECT_EQ(TrayWindowProc(a, comm, 1, WM_RBUTTONUP), 0) << "an unhooked window gets the default";
    EXPECT_TRUE(log.empty());
    for (const auto& window : windows) ReleaseWindowHandle(window.first);
}

}  // namespace
