#pragma once
// Stands in for the desktop's notification area: remembers each call with its record and
// answers with the result the test sets. Like the desktop's, it tells the window registry which
// windows have an icon on show.
#include <cstdint>
#include <vector>

#include "platform/shell.h"
#include "platform/toolkit/window_registry.h"

namespace test_support {

struct NotifyCall {
    std::uint32_t operation;
    NOTIFYICONDATAA record;
};

class NotificationAreaRecorder : public NotificationArea {
  public:
    NotificationAreaRecorder() : previous_(SetNotificationArea(this)) {}
    ~NotificationAreaRecorder() override { SetNotificationArea(previous_); }
    NotificationAreaRecorder(const NotificationAreaRecorder&) = delete;
    NotificationAreaRecorder& operator=(const NotificationAreaRecorder&) = delete;

    std::int32_t Notify(std::uint32_t dwMessage, const NOTIFYICONDATAA& data) override {
        calls.push_back({dwMessage, data});
        if (answer != 0 && dwMessage == NIM_ADD) toolkit::TrayIconAdded(data.hWnd);
        if (answer != 0 && dwMessage == NIM_DELETE) toolkit::TrayIconRemoved(data.hWnd);
        return answer;
    }

    std::vector<NotifyCall> calls;
    std::int32_t answer = 1;

  private:
    NotificationArea* previous_;
};

}  // namespace test_support
