// Notification-area icons over QSystemTrayIcon. A click on an icon is posted to its window as
// the callback message, with the icon's identifier and the mouse message a click ends with.
// Qt docks an icon again when a panel comes back; the window registry is told which windows
// have an icon on show, so that a window without one is never hidden where nothing leads back.
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

#include "platform/shell.h"
#include "platform/toolkit/picture.h"
#include "platform/toolkit/window_registry.h"
#include "platform/user_interface.h"

namespace {

std::uint32_t MouseMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return WM_LBUTTONUP;
        case QSystemTrayIcon::Context:
            return WM_RBUTTONUP;
        case QSystemTrayIcon::MiddleClick:
            return WM_MBUTTONUP;
        case QSystemTrayIcon::DoubleClick:
            return WM_LBUTTONDBLCLK;
        default:
            return 0;
    }
}

QString TipOf(const NOTIFYICONDATAA& data) {
    return QString::fromLocal8Bit(data.szTip, static_cast<qsizetype>(strnlen(data.szTip, 64)));
}

// One icon and what its clicks are posted as.
class TrayIcon {
  public:
    TrayIcon(std::int32_t hWnd, std::uint32_t id) : hWnd_(hWnd), id_(id) {
        QObject::connect(&icon_, &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) { Clicked(reason); });
    }
    ~TrayIcon() { Shown(false); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Whether the desktop shows the icon now, as the window registry counts it.
    void Shown(bool shown) {
        if (shown == shown_) return;
        shown_ = shown;
        if (shown) {
            toolkit::TrayIconAdded(hWnd_);
        } else {
            toolkit::TrayIconRemoved(hWnd_);
        }
    }

    // A window hidden on minimise is reached through its icon; without the icon it is shown
    // again (asked to stay minimised, which not every window manager honours for a window that
    // was withdrawn).
    void BringBackHiddenWindow() const {
        QWidget* window = toolkit::WindowWidget(hWnd_);
        if (window != nullptr && window->isHidden() && window->isMinimized())
            window->showMinimized();
    }

    void Apply(const NOTIFYICONDATAA& data) {
        if (data.uFlags & NIF_MESSAGE) callbackMessage_ = data.uCallbackMessage;
        if (data.uFlags & NIF_ICON) {
            const Picture picture = Picture::FromHandle(data.hIcon);
            icon_.setIcon(picture.IsEmpty() ? QIcon() : *picture.Icon());
        }
        if (data.uFlags & NIF_TIP) icon_.setToolTip(TipOf(data));
        icon_.show();
    }

  private:
    void Clicked(QSystemTrayIcon::ActivationReason reason) {
        const std::uint32_t mouseMessage = MouseMessageOf(reason);
        if (callbackMessage_ != 0 && mouseMessage != 0)
            PostMessageA(hWnd_, callbackMessage_, static_cast<std::int32_t>(id_),
                         static_cast<std::int32_t>(mouseMessage));
    }

    QSystemTrayIcon icon_;
    std::int32_t hWnd_;
    std::uint32_t id_;
    std::uint32_t callbackMessage_ = 0;
    bool shown_ = false;
};

class DesktopArea : public NotificationArea {
  public:
    DesktopArea() {
        QObject::connect(&watch_, &QTimer::timeout, [this] { FollowTheArea(); });
    }

    std::int32_t Notify(std::uint32_t dwMessage, const NOTIFYICONDATAA& data) override {
        const auto key = std::make_pair(data.hWnd, data.uID);
        const auto found = icons_.find(key);
        switch (dwMessage) {
            case NIM_ADD: {
                if (found != icons_.end() || toolkit::WindowWidget(data.hWnd) == nullptr ||
                    !QSystemTrayIcon::isSystemTrayAvailable())
                    return 0;
                auto icon = std::make_unique<TrayIcon>(data.hWnd, data.uID);
                icon->Apply(data);
                icon->Shown(true);
                icons_.emplace(key, std::move(icon));
                watch_.start(WatchInterval);
                return 1;
            }
            case NIM_MODIFY:
                if (found == icons_.end()) return 0;
                found->second->Apply(data);
                return 1;
            case NIM_DELETE:
                if (found == icons_.end()) return 0;
                icons_.erase(found);
                if (icons_.empty()) watch_.stop();
                return 1;
            default:
                return 0;
        }
    }

  private:
    // A panel that goes away takes the notification area with it; Qt gives no signal for that.
    static constexpr int WatchInterval = 1000;  // milliseconds

    void FollowTheArea() {
        const bool available = QSystemTrayIcon::isSystemTrayAvailable();
        for (auto& [key, icon] : icons_) {
            icon->Shown(available);
            if (!available) icon->BringBackHiddenWindow();
        }
    }

    std::map<std::pair<std::int32_t, std::uint32_t>, std::unique_ptr<TrayIcon>> icons_;
    QTimer watch_;
};

// Never destroyed: an icon left at exit must not outlive the application it belongs to.
DesktopArea& Desktop() {
    static auto* area = new DesktopArea;
    return *area;
}

NotificationArea*& CurrentArea() {
    static NotificationArea* current = &Desktop();
    return current;
}

}  // namespace

NotificationArea* SetNotificationArea(NotificationArea* area) {
    NotificationArea* before = CurrentArea();
    CurrentArea() = area != nullptr ? area : &Desktop();
    return before;
}

std::int32_t Shell_NotifyIconA(std::uint32_t dwMessage, const NOTIFYICONDATAA* lpData) {
    if (lpData == nullptr || lpData->cbSize < sizeof(NOTIFYICONDATAA)) return 0;
    return CurrentArea()->Notify(dwMessage, *lpData);
}
