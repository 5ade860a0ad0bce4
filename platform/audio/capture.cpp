#include "platform/audio/capture.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {
constexpr std::uint64_t kRingFrames = 1 << 17;  // about three seconds at 44.1 kHz
constexpr std::int64_t kLevelWindowFrames = 2048;
}

Capture::Capture(int sampleRate)
    : sampleRate_(sampleRate), ring_(2 * kRingFrames) {}

void Capture::Write(const float* stereo, int frames) {
    const std::uint64_t head = written_.load(std::memory_order_relaxed);
    const std::uint64_t tail = read_.load(std::memory_order_acquire);
    const std::uint64_t room = std::min(kRingFrames - (head - tail),
                                        limit_.load(std::memory_order_relaxed) - head);
    const std::uint64_t count = std::min<std::uint64_t>(room, static_cast<std::uint64_t>(frames));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t slot = (head + i) % kRingFrames;
        ring_[2 * slot] = stereo[2 * i];
        ring_[2 * slot + 1] = stereo[2 * i + 1];
        windowPeak_[0] = std::max(windowPeak_[0], std::abs(stereo[2 * i]));
        windowPeak_[1] = std::max(windowPeak_[1], std::abs(stereo[2 * i + 1]));
    }
    written_.store(head + count, std::memory_order_release);
    windowFrames_ += frames;
    if (windowFrames_ >= kLevelWindowFrames) {
        for (int channel = 0; channel < 2; ++channel) {
            level_[channel].store(std::min(windowPeak_[channel], 1.0f), std::memory_order_relaxed);
            windowPeak_[channel] = 0.0f;
        }
        windowFrames_ = 0;
    }
}

void Capture::Limit(std::optional<std::int64_t> frames, std::function<void()> onFull) {
    const std::uint64_t head = written_.load(std::memory_order_acquire);
    limit_.store(frames ? head + std::uint64_t(std::max<std::int64_t>(*frames, 0)) : UINT64_MAX);
    for (auto& level : level_) level.store(0.0f);
    std::lock_guard lock(fullMutex_);
    onFull_ = std::move(onFull);
}

bool Capture::Full() const {
    return written_.load(std::memory_order_acquire) >= limit_.load();
}

std::array<float, 2> Capture::Level() const {
    return {level_[0].load(std::memory_order_relaxed), level_[1].load(std::memory_order_relaxed)};
}

void Capture::Drain() {
    moveRingToFile();
    if (!Full()) return;
    std::function<void()> onFull;
    {
        std::lock_guard lock(fullMutex_);
        onFull.swap(onFull_);
    }
    if (onFull) onFull();
}

void Capture::moveRingToFile() {
    std::lock_guard lock(fileMutex_);
    const std::uint64_t head = written_.load(std::memory_order_acquire);
    std::uint64_t tail = read_.load(std::memory_order_relaxed);
    while (tail != head) {
        const std::int64_t count = std::min<std::int64_t>(
            static_cast<std::int64_t>(head - tail),
            static_cast<std::int64_t>(kRingFrames - tail % kRingFrames));
        if (!file_.Write(file_.Frames(), ring_.data() + 2 * (tail % kRingFrames), count)) {
            limit_.store(head);  // the disk is full: the capture ends with what it kept
            lost_ = true;
            tail = head;
            break;
        }
        tail += std::uint64_t(count);
    }
    read_.store(tail, std::memory_order_release);
}

bool Capture::KeptAll() {
    Drain();
    std::lock_guard lock(fileMutex_);
    return !lost_;
}

void Capture::Clear() {
    moveRingToFile();
    std::lock_guard lock(fileMutex_);
    file_.Clear();
    lost_ = false;
}

std::int64_t Capture::Frames() {
    Drain();
    std::lock_guard lock(fileMutex_);
    return file_.Frames();
}

void Capture::Read(std::int64_t first, std::int64_t count, float* stereo) {
    std::lock_guard lock(fileMutex_);
    file_.Read(first, count, stereo);
}

}  // namespace audio
