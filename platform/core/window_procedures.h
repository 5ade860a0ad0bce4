#pragma once
// Between the window handles (posted_messages.cpp) and the procedures their messages pass
// through (window_procedures.cpp).
#include <cstdint>

namespace window_messages {

// Sends a message through the window's current procedure.
std::int32_t Deliver(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                     std::int32_t lParam);
// The procedure every window starts with: hands the message to the window's receiver.
std::int32_t ToReceiver(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                        std::int32_t lParam);
bool Exists(std::int32_t hWnd);
// A released handle keeps no replaced procedure for the next window that gets the number.
void ForgetProcedure(std::int32_t hWnd);

}  // namespace window_messages
