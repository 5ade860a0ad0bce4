// Window procedures and registered messages: what a hook relies on to see a window's messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/user_interface.h"

namespace {

// Everything a window's own receiver and the replacing procedure saw, in order.
std::vector<std::string>& seen() {
    static std::vector<std::string> log;
    return log;
}

std::int32_t Replacement(std::int32_t, std::uint32_t uMsg, std::int32_t, std::int32_t) {
    seen().push_back("replacement " + std::to_string(uMsg));
    return 7;
}

struct RecordingWindow {
    RecordingWindow()
        : hWnd(RegisterWindowHandle([](std::uint32_t message, std::int32_t, std::int32_t) {
              seen().push_back("window " + std::to_string(message));
          })) {
        seen().clear();
    }
    ~RecordingWindow() { ReleaseWindowHandle(hWnd); }
    std::int32_t hWnd;
};

const auto ReplacementAddress = reinterpret_cast<std::intptr_t>(&Replacement);

TEST(RegisterWindowMessage, GivesOneNumberPerNameWhateverItsCase) {
    const std::uint32_t first = RegisterWindowMessageA("Corvala_Test_Message");
    EXPECT_GE(first, 0xC000u);
    EXPECT_LE(first, 0xFFFFu);
    EXPECT_EQ(RegisterWindowMessageA("corvala_test_MESSAGE"), first);
    const std::uint32_t other = RegisterWindowMessageA("Corvala_Other_Message");
    EXPECT_NE(other, first);
    EXPECT_GE(other, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
}

TEST(WindowProcedure, AReplacedProcedureSeesPostedMessagesAndCanForwardThemAndBadCallsAreRefused) {
    RecordingWindow window;
    const std::intptr_t original = SetWindowLongA(window.hWnd, GWL_WNDPROC, ReplacementAddress);
    ASSERT_NE(original, 0);

    PostMessageA(window.hWnd, 0x401, 0, 0);
    DispatchPostedMessages();
    EXPECT_EQ(CallWindowProcA(original, window.hWnd, 0x402, 0, 0), 0);
    EXPECT_EQ(CallWindowProcA(ReplacementAddress, window.hWnd, 0x403, 0, 0), 7);

    // Putting the original back returns the replacement and ends the detour.
    EXPECT_EQ(SetWindowLongA(window.hWnd, GWL_WNDPROC, original), ReplacementAddress);

    // What it cannot do is refused and changes nothing.
    const struct {
        std::int32_t hWnd;
        std::int32_t index;
        std::intptr_t procedure;
    } refused[] = {
        {0, GWL_WNDPROC, ReplacementAddress},  // no window
        {window.hWnd + 1000, GWL_WNDPROC, ReplacementAddress},
        {window.hWnd, -16, ReplacementAddress},  // another index
        {window.hWnd, GWL_WNDPROC, 0},           // no procedure
    };
    for (const auto& c : refused) EXPECT_EQ(SetWindowLongA(c.hWnd, c.index, c.procedure), 0);
    EXPECT_EQ(CallWindowProcA(0, window.hWnd, 0x400, 0, 0), 0);
    EXPECT_EQ(DefWindowProcA(window.hWnd, 0x400, 1, 2), 0);

    PostMessageA(window.hWnd, 0x404, 0, 0);
    DispatchPostedMessages();
    EXPECT_EQ(seen(), (std::vector<std::string>{"replacement 1025", "window 1026",
                                                "replacement 1027", "window 1028"}));
}

}  // namespace
