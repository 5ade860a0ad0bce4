// Which procedure each window's messages pass through. Only windows whose procedure was
// replaced are listed; the others use the toolkit's.
#include "platform/core/window_procedures.h"

#include <map>

#include "platform/user_interface.h"

namespace window_messages {
namespace {

std::map<std::int32_t, WNDPROC>& Replaced() {
    static std::map<std::int32_t, WNDPROC> replaced;
    return replaced;
}

WNDPROC ProcedureOf(std::int32_t hWnd) {
    const auto found = Replaced().find(hWnd);
    return found == Replaced().end() ? &ToReceiver : found->second;
}

}  // namespace

std::int32_t Deliver(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                     std::int32_t lParam) {
    return ProcedureOf(hWnd)(hWnd, message, wParam, lParam);
}

void ForgetProcedure(std::int32_t hWnd) {
    Replaced().erase(hWnd);
}

}  // namespace window_messages

std::intptr_t SetWindowLongA(std::int32_t hWnd, std::int32_t nIndex, std::intptr_t dwNewLong) {
    if (nIndex != GWL_WNDPROC || dwNewLong == 0 || !window_messages::Exists(hWnd)) return 0;
    const WNDPROC before = window_messages::ProcedureOf(hWnd);
    const auto procedure = reinterpret_cast<WNDPROC>(dwNewLong);
    if (procedure == &window_messages::ToReceiver) {
        window_messages::Replaced().erase(hWnd);
    } else {
        window_messages::Replaced()[hWnd] = procedure;
    }
    return reinterpret_cast<std::intptr_t>(before);
}

std::int32_t CallWindowProcA(std::intptr_t lpPrevWndFunc, std::int32_t hWnd, std::uint32_t uMsg,
                             std::int32_t wParam, std::int32_t lParam) {
    if (lpPrevWndFunc == 0) return 0;
    return reinterpret_cast<WNDPROC>(lpPrevWndFunc)(hWnd, uMsg, wParam, lParam);
}

std::int32_t DefWindowProcA(std::int32_t, std::uint32_t, std::int32_t, std::int32_t) {
    return 0;
}
