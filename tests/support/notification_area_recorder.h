#pragma once
// Stands in for the desktop's notification area: remembers each call with its record and
// answers with the result the test sets.
#include <cstdint>
#include <vector>

#include "platform/shell.h"

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
        return answer;
    }

    std::vector<NotifyCall> calls;
    std::int32_t answer = 1;

  private:
    NotificationArea* previous_;
};

}  // namespace test_support
