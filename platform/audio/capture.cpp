#include "platform/audio/capture.h"

#include <algorithm>
#include <cstring>

namespace audio {

namespace {
constexpr std::uint64_t kRingFrames = 1 << 17;  // about three seconds at 44.1 kHz
}

Capture::Capture(int sampleRate)
    : sampleRate_(sampleRate),
      chunkFrames_(sampleRate),
      maxFrames_(kMaxMinutes * 60 * sampleRate),
      ring_(2 * kRingFrames) {}

void Capture::Write(const float* stereo, int frames) {
    const std::uint64_t head = written_.load(std::memory_order_relaxed);
    const std::uint64_t tail = read_.load(std::memory_order_acquire);
    const std::uint64_t room = kRingFrames - (head - tail);
    const std::uint64_t count = std::min<std::uint64_t>(room, static_cast<std::uint64_t>(frames));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t slot = (head + i) % kRingFrames;
        ring_[2 * slot] = stereo[2 * i];
        ring_[2 * slot + 1] = stereo[2 * i + 1];
    }
    written_.store(head + count, std::memory_order_release);
}

void Capture::Drain() {
    std::lock_guard lock(chunksMutex_);
    const std::uint64_t head = written_.load(std::memory_order_acquire);
    std::uint64_t tail = read_.load(std::memory_order_relaxed);
    while (tail != head) {
        if (frames_ >= maxFrames_) {
            tail = head;
            break;
        }
        const std::int64_t inChunk = frames_ % chunkFrames_;
        if (inChunk == 0) chunks_.push_back(std::make_unique<float[]>(2 * chunkFrames_));
        const std::int64_t count =
            std::min<std::int64_t>({static_cast<std::int64_t>(head - tail), chunkFrames_ - inChunk,
                                    static_cast<std::int64_t>(kRingFrames - tail % kRingFrames)});
        std::memcpy(chunks_.back().get() + 2 * inChunk, ring_.data() + 2 * (tail % kRingFrames),
                    sizeof(float) * 2 * count);
        frames_ += count;
        tail += count;
    }
    read_.store(tail, std::memory_order_release);
}

void Capture::Clear() {
    Drain();
    std::lock_guard lock(chunksMutex_);
    chunks_.clear();
    frames_ = 0;
}

std::int64_t Capture::Frames() {
    Drain();
    std::lock_guard lock(chunksMutex_);
    return frames_;
}

void Capture::Read(std::int64_t first, std::int64_t count, float* stereo) {
    std::lock_guard lock(chunksMutex_);
    count = std::clamp<std::int64_t>(std::min(count, frames_ - first), 0, count);
    while (count > 0) {
        const std::int64_t chunk = first / chunkFrames_;
        const std::int64_t offset = first % chunkFrames_;
        const std::int64_t n = std::min(count, chunkFrames_ - offset);
        std::memcpy(stereo, chunks_[chunk].get() + 2 * offset, sizeof(float) * 2 * n);
        stereo += 2 * n;
        first += n;
        count -= n;
    }
}

}  // namespace audio
