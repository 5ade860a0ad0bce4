#include "platform/toolkit/window_registry.h"

#include <map>

namespace toolkit {
namespace {

std::map<std::int32_t, QWidget*>& Registry() {
    static std::map<std::int32_t, QWidget*> registry;
    return registry;
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

}  // namespace toolkit
