#include "platform/toolkit/window_registry.h"

#include <map>

namespace toolkit {
namespace {

std::map<std::int32_t, QWidget*>& Registry() {
    static std::map<std::int32_t, QWidget*> registry;
    return registry;
}

std::map<std::int32_t, int>& TrayIcons() {
    static std::map<std::int32_t, int> icons;
    return icons;
}

}  // namespace

void RegisterWindowWidget(std::int32_t hWnd, QWidget* widget) {
    Registry()[hWnd] = widget;
}
void ForgetWindowWidget(std::int32_t hWnd) {
    Registry().erase(hWnd);
}

QWidget* WindowWidget(std::int32_t hWnd) {
    const auto found = Registry().find(hWnd);
    return found == Registry().end() ? nullptr : found->second;
}

void TrayIconAdded(std::int32_t hWnd) {
    ++TrayIcons()[hWnd];
}
void TrayIconRemoved(std::int32_t hWnd) {
    const auto found = TrayIcons().find(hWnd);
    if (found != TrayIcons().end() && --found->second <= 0) TrayIcons().erase(found);
}
bool HasTrayIcon(std::int32_t hWnd) {
    return TrayIcons().contains(hWnd);
}

}  // namespace toolkit
