// Window procedures and registered messages: the tray's hook tests drive the working calls, so
// only what must be refused is checked here.
#include <gtest/gtest.h>

#include "platform/user_interface.h"

namespace {

std::int32_t Replacement(std::int32_t, std::uint32_t, std::int32_t, std::int32_t) { return 7; }

TEST(WindowProcedure, BadCallsAreRefusedAndChangeNothing) {
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
    const std::int32_t hWnd = RegisterWindowHandle([](std::uint32_t, std::int32_t, std::int32_t) {});
    const auto replacement = reinterpret_cast<std::intptr_t>(&Replacement);
    const struct {
        std::int32_t hWnd;
        std::int32_t index;
        std::intptr_t procedure;
    } refused[] = {
        {0, GWL_WNDPROC, replacement},  // no window
        {hWnd + 1000, GWL_WNDPROC, replacement},
        {hWnd, -16, replacement},  // another index
        {hWnd, GWL_WNDPROC, 0},    // no procedure
    };
    for (const auto& c : refused) EXPECT_EQ(SetWindowLongA(c.hWnd, c.index, c.procedure), 0);
    EXPECT_EQ(CallWindowProcA(0, hWnd, 0x400, 0, 0), 0);
    EXPECT_EQ(DefWindowProcA(hWnd, 0x400, 1, 2), 0);
    const std::intptr_t original = SetWindowLongA(hWnd, GWL_WNDPROC, replacement);
    EXPECT_EQ(SetWindowLongA(hWnd, GWL_WNDPROC, original), replacement) << "the window was unchanged";
    ReleaseWindowHandle(hWnd);
}

}  // namespace
