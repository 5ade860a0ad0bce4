#pragma once
// Waiting for something another thread does, with a deadline instead of a fixed sleep.
#include <chrono>
#include <functional>
#include <thread>

namespace test_support {

// Polls `condition` until it holds or `limit` passes; true when it held.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace test_support
