#pragma once
// The completion message a "play ... notify" owes its window. At most one is pending per
// device; a later command settles it as superseded or aborted, the end of the play as
// successful. Safe from any thread (the player reports its end from its own thread).
#include <cstdint>
#include <mutex>
#include <optional>

namespace mci {

class Notification {
  public:
    explicit Notification(std::int32_t deviceId) : deviceId_(deviceId) {}

    std::int32_t DeviceId() const { return deviceId_; }

    // Owes `window` a message; an earlier pending one is dropped (its play was aborted first).
    void Arm(std::int32_t window);
    // Posts `flag` to the window owed a message, if any, and clears it.
    void Settle(std::int32_t flag);
    // Forgets the pending message without posting (its play never started).
    void Disarm();

    // Posts `flag` for this device to `window` now; a window of 0 gets nothing.
    void Post(std::int32_t window, std::int32_t flag) const;

  private:
    const std::int32_t deviceId_;
    std::mutex mutex_;
    std::optional<std::int32_t> window_;
};

}  // namespace mci
