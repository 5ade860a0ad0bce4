#pragma once
// Which widget a window handle names, for dialogs that take an owner by handle.
#include <cstdint>

class QWidget;

namespace toolkit {

void RegisterWindowWidget(std::int32_t hWnd, QWidget* widget);
void ForgetWindowWidget(std::int32_t hWnd);
QWidget* WindowWidget(std::int32_t hWnd);  // nullptr for an unknown handle

// How many notification-area icons a window owns; the tray's icon functions keep the count.
void TrayIconAdded(std::int32_t hWnd);
void TrayIconRemoved(std::int32_t hWnd);
bool HasTrayIcon(std::int32_t hWnd);

}  // namespace toolkit
