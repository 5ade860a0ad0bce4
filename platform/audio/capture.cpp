#include "platform/audio/capture.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {
constexpr std::int64_t kLevelWindowFrames = 2048;
}

Capture::Capture(int sampleRate) : sampleRate_(sampleRate) {}

void Capture::Write(const float* stereo, int frames) {
    // A full disk may set the limit below what is already written.
    const std::uint64_t limit = limit_.load(std::memory_order_relaxed);
    const std::uint64_t written = ring_.Written() / 2;
    const std::uint64_t left = limit > written ? limit - written : 0;
    const std::size_t count = ring_.Write(stereo, 2 * std::min<std::uint64_t>(left, frames));
    for (std::size_t i = 0; i < count; ++i)
        windowPeak_[i % 2] = std::max(windowPeak_[i % 2], std::abs(stereo[i]));
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
    const std::uint64_t head = ring_.Written() / 2;
    limit_.store(frames ? head + std::uint64_t(std::max<std::int64_t>(*frames, 0)) : UINT64_MAX);
    for (auto& level : level_) level.store(0.0f);
    std::lock_guard lock(fullMutex_);
    onFull_ = std::move(onFull);
}

bool Capture::Full() const {
    return ring_.Written() / 2 >= limit_.load();
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
    const auto parts = ring_.Readable();
    const std::size_t count = parts[0].size() + parts[1].size();
    for (const std::span<const float> part : parts) {
        if (file_.Write(file_.Frames(), part.data(), std::int64_t(part.size() / 2))) continue;
        limit_.store((ring_.Consumed() + count) / 2);  // the disk is full: it ends with what it kept
        lost_ = true;
        break;
    }
    ring_.Consume(count);
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
