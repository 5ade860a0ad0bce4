#include "tray/mod_sys_tray.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/user_interface.h"
#include "tray/c_sys_tray.h"

namespace {

// The three tables are parallel: position i of each describes the same window. Empty
// vectors are the discarded tables of a HookCount of 0.
struct HookTables {
    std::uint32_t CommMessage = 0;
    std::vector<std::int32_t> HookedWnds;
    std::vector<std::intptr_t> OldWndProcs;
    std::vector<std::shared_ptr<cSysTray>> HookOwners;
};

HookTables& tables() {
    static HookTables instance;
    return instance;
}

std::optional<std::size_t> PositionOf(std::int32_t hWnd) {
    const auto& wnds = tables().HookedWnds;
    for (std::size_t i = 0; i < wnds.size(); ++i) {
        if (wnds[i] == hWnd) return i;
    }
    return std::nullopt;
}

}  // namespace

std::uint32_t GetCommMessage() {
    auto& t = tables();
    if (t.CommMessage == 0) t.CommMessage = RegisterWindowMessageA("cSysTray_Comm_Message");
    return t.CommMessage;
}

Boolean HookWindow(std::int32_t hWnd, std::shared_ptr<cSysTray> Owner) {
    if (hWnd == 0 || IsTrue(IsWindowHooked(hWnd))) return vbFalse;
    auto& t = tables();
    t.HookOwners.push_back(std::move(Owner));
    t.HookedWnds.push_back(hWnd);
    t.OldWndProcs.push_back(
        SetWindowLongA(hWnd, GWL_WNDPROC, reinterpret_cast<std::intptr_t>(&TrayWindowProc)));
    return vbTrue;
}

Boolean IsWindowHooked(std::int32_t hWnd) {
    return ToBoolean(hWnd != 0 && PositionOf(hWnd).has_value());
}

Boolean UnhookWindow(std::int32_t hWnd) {
    if (hWnd == 0) return vbFalse;
    const auto position = PositionOf(hWnd);
    if (!position) return vbFalse;
    auto& t = tables();
    const std::size_t i = *position;
    // The owner is released last: its termination may come back into the tables.
    std::shared_ptr<cSysTray> owner = std::move(t.HookOwners[i]);
    SetWindowLongA(t.HookedWnds[i], GWL_WNDPROC, t.OldWndProcs[i]);
    t.HookedWnds[i] = t.HookedWnds.back();
    t.OldWndProcs[i] = t.OldWndProcs.back();
    t.HookOwners[i] = std::move(t.HookOwners.back());
    t.HookedWnds.pop_back();
    t.OldWndProcs.pop_back();
    t.HookOwners.pop_back();
    owner.reset();
    return vbTrue;
}

void UnhookWindowAll(std::int32_t hWnd) {
    if (!tables().HookedWnds.empty()) UnhookWindow(hWnd);
}

std::int32_t TrayWindowProc(std::int32_t hWnd, std::uint32_t uMsg, std::int32_t wParam,
                            std::int32_t lParam) {
    const auto position = PositionOf(hWnd);
    if (!position) return DefWindowProcA(hWnd, uMsg, wParam, lParam);
    // Copies: a handler the callback runs may pump messages and change the tables.
    const std::intptr_t previous = tables().OldWndProcs[*position];
    const std::shared_ptr<cSysTray> owner = tables().HookOwners[*position];
    const std::uint32_t callback = GetCommMessage();
    if (callback != 0 && uMsg == callback && owner) owner->ProcessCallback(uMsg, wParam, lParam);
    return CallWindowProcA(previous, hWnd, uMsg, wParam, lParam);
}

std::span<const std::int32_t> HookedWnds() {
    return tables().HookedWnds;
}
