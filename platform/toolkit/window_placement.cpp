// SetWindowPos on Qt: the topmost band is the window manager's "stays on top" state.
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"

namespace {

// A Wayland client can neither raise itself above others nor place its window.
bool CanPlaceWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void KeepAbove(QWidget& window, bool above) {
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, above);
    QWindow* native = window.windowHandle();
    if (native == nullptr) {
        window.setWindowFlags(flags);  // not made yet, so nothing shows or moves
        return;
    }
    // QWidget::setWindowFlags would remake a shown window, hiding it for a moment; telling the
    // native window alone changes only its stacking state.
    window.overrideWindowFlags(flags);
    native->setFlags(flags);
}

}  // namespace

std::int32_t SetWindowPos(std::int32_t hWnd, std::int32_t hWndInsertAfter, std::int32_t X,
                          std::int32_t Y, std::int32_t cx, std::int32_t cy, std::uint32_t uFlags) {
    QWidget* window = toolkit::WindowWidget(hWnd);
    if (window == nullptr || !CanPlaceWindows()) return 0;
    if (hWndInsertAfter == HWND_TOPMOST || hWndInsertAfter == HWND_NOTOPMOST)
        KeepAbove(*window, hWndInsertAfter == HWND_TOPMOST);
    if ((uFlags & SWP_NOMOVE) == 0) window->move(X, Y);
    if ((uFlags & SWP_NOSIZE) == 0) window->resize(cx, cy);
    return 1;
}
