#include "platform/mci/notification.h"

#include "platform/multimedia.h"
#include "platform/user_interface.h"

namespace mci {

void Notification::Arm(std::int32_t window) {
    std::lock_guard lock(mutex_);
    window_ = window;
}

void Notification::Settle(std::int32_t flag) {
    std::optional<std::int32_t> window;
    {
        std::lock_guard lock(mutex_);
        window.swap(window_);
    }
    if (window) Post(*window, flag);
}

void Notification::Disarm() {
    std::lock_guard lock(mutex_);
    window_.reset();
}

void Notification::Post(std::int32_t window, std::int32_t flag) const {
    if (window != 0) PostMessageA(window, MM_MCINOTIFY, flag, deviceId_);
}

}  // namespace mci
