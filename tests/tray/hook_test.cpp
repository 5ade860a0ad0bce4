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

// A window whose own procedure logs what reaches it, with an owner object that logs its events.
class HookedWindowTest : public testing::Test {
  protected:
    struct Window {
        std::int32_t hWnd;
        std::shared_ptr<cSysTray> owner;
    };

    ~HookedWindowTest() override {
        for (const Window& window : windows) {
            UnhookWindow(window.hWnd);
            ReleaseWindowHandle(window.hWnd);
        }
    }

    Window& Make(const std::string& name) {
        const std::int32_t hWnd =
            RegisterWindowHandle([this, name](std::uint32_t message, std::int32_t, std::int32_t) {
                log.push_back(name + " got " + std::to_string(message));
            });
        auto owner = std::make_shared<cSysTray>();
        owner->RightClick = [this, name](std::int32_t IconID) {
            log.push_back(name + " RightClick " + std::to_string(IconID));
        };
        return windows.emplace_back(Window{hWnd, std::move(owner)});
    }

    void Post(const Window& window, std::uint32_t message, std::int32_t wParam,
              std::int32_t lParam) {
        PostMessageA(window.hWnd, message, wParam, lParam);
        DispatchPostedMessages();
    }

    std::deque<Window> windows;  // references to its elements stay valid
    std::vector<std::string> log;
    const std::uint32_t comm = GetCommMessage();
};

TEST_F(HookedWindowTest, RefusesHandleZeroAndASecondHookAndRegistersTheCommMessageOnce) {
    EXPECT_GE(comm, 0xC000u);
    EXPECT_EQ(GetCommMessage(), comm);
    EXPECT_EQ(RegisterWindowMessageA("CSYSTRAY_COMM_MESSAGE"), comm);
    Window& a = Make("A");
    EXPECT_EQ(HookWindow(0, a.owner), vbFalse);
    EXPECT_EQ(IsWindowHooked(0), vbFalse);
    EXPECT_EQ(UnhookWindow(a.hWnd), vbFalse);  // not hooked: nothing to undo
    EXPECT_EQ(HookWindow(a.hWnd, a.owner), vbTrue);
    EXPECT_EQ(HookWindow(a.hWnd, a.owner), vbFalse);
    EXPECT_EQ(HookedWnds().size(), 1u);
}

TEST_F(HookedWindowTest, UnhookingMovesTheLastEntryIntoTheFreedPosition) {
    Window& a = Make("A");
    Window& b = Make("B");
    Window& c = Make("C");
    for (const Window* w : {&a, &b, &c}) ASSERT_EQ(HookWindow(w->hWnd, w->owner), vbTrue);

    EXPECT_EQ(UnhookWindow(a.hWnd), vbTrue);
    EXPECT_EQ(std::vector<std::int32_t>(HookedWnds().begin(), HookedWnds().end()),
              (std::vector<std::int32_t>{c.hWnd, b.hWnd}));

    // A has its own procedure back; B and C still hand the message to their owners, and other
    // messages pass unchanged.
    Post(a, comm, 1, WM_RBUTTONUP);
    Post(b, comm, 2, WM_RBUTTONUP);
    Post(c, comm, 3, WM_RBUTTONUP);
    Post(c, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    const std::string got = " got " + std::to_string(comm);
    EXPECT_EQ(log, (std::vector<std::string>{"A" + got, "B RightClick 2", "B" + got,
                                             "C RightClick 3", "C" + got, "C got 512"}));

    EXPECT_EQ(UnhookWindow(c.hWnd), vbTrue);
    EXPECT_EQ(UnhookWindow(b.hWnd), vbTrue);
    EXPECT_TRUE(HookedWnds().empty());
    EXPECT_EQ(HookWindow(b.hWnd, b.owner), vbTrue);
    EXPECT_EQ(HookedWnds().front(), b.hWnd);
    log.clear();
    EXPECT_EQ(TrayWindowProc(a.hWnd, comm, 1, WM_RBUTTONUP), 0)
        << "an unhooked window gets the default";
    EXPECT_TRUE(log.empty());
}

}  // namespace
