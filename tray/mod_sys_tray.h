#pragma once
// modSysTray: subclasses an owner window so that the registered message
// "cSysTray_Comm_Message" reaches the cSysTray object that owns its icons. One set of tables
// for the whole process; everything runs on the user-interface thread.
#include <cstdint>
#include <memory>
#include <span>

#include "platform/vb_types.h"

class cSysTray;

// The callback message number, registered on first use; 0 when registration failed (the next
// call tries again).
std::uint32_t GetCommMessage();

// Enters the window into the tables with Owner receiving its callbacks and installs
// TrayWindowProc as its procedure. False for handle 0 or a window already hooked. The tables
// keep Owner alive until the window is unhooked.
Boolean HookWindow(std::int32_t hWnd, std::shared_ptr<cSysTray> Owner);
Boolean IsWindowHooked(std::int32_t hWnd);
// Puts the window's previous procedure back and moves the last entry into its place.
Boolean UnhookWindow(std::int32_t hWnd);
void UnhookWindowAll(std::int32_t hWnd);

// The procedure every hooked window runs: hands the registered message to the window's owner
// object, then passes every message on to the window's previous procedure.
std::int32_t TrayWindowProc(std::int32_t hWnd, std::uint32_t uMsg, std::int32_t wParam,
                            std::int32_t lParam);

// The hooked windows in table order, for inspection.
std::span<const std::int32_t> HookedWnds();
