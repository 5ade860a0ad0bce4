// SetWindowText and SendMessageA on the window behind a handle.
#include <QIcon>
#include <QVariant>
#include <QWidget>

#include "platform/toolkit/picture.h"
#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"

namespace {

// The handle of the picture last given by WM_SETICON, kept on the window itself.
constexpr const char* kIconHandleProperty = "corvalaIconHandle";

std::int32_t setIcon(QWidget& window, std::int32_t hIcon) {
    const std::int32_t previous = window.property(kIconHandleProperty).toInt();
    const Picture picture = Picture::FromHandle(hIcon);
    window.setWindowIcon(picture.IsEmpty() ? QIcon() : *picture.Icon());
    window.setProperty(kIconHandleProperty, picture.Handle());
    return previous;
}

}  // namespace

std::int32_t SetWindowText(std::int32_t hWnd, const char* text) {
    QWidget* window = toolkit::WindowWidget(hWnd);
    if (window == nullptr || text == nullptr) return 0;
    window->setWindowTitle(QString::fromStdString(text));
    return 1;
}

std::int32_t SendMessageA(std::int32_t hWnd, std::uint32_t message, std::int32_t wParam,
                          std::int32_t lParam) {
    QWidget* window = toolkit::WindowWidget(hWnd);
    if (window == nullptr || message != WM_SETICON) return 0;
    if (wParam != ICON_BIG && wParam != ICON_SMALL) return 0;
    return setIcon(*window, lParam);
}
