#pragma once
// A fixed-size lock-free queue for one producer thread and one consumer thread: what the
// control side hands to the audio thread without either waiting for the other.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace audio {

template <class T, std::size_t Capacity>
class SpscQueue {
  public:
    // Producer: false when the queue is full.
    bool Push(const T& item) {
        const std::uint64_t head = head_.load(std::memory_order_relaxed);
        if (head - tail_.load(std::memory_order_acquire) == Capacity) return false;
        items_[head % Capacity] = item;
        head_.store(head + 1, std::memory_order_release);
        return true;
    }

    // Consumer: the oldest item, or null; it stays queued until PopFront, so the producer
    // can tell from Popped that the consumer has finished with it.
    const T* Front() const {
        const std::uint64_t tail = tail_.load(std::memory_order_relaxed);
        if (tail == head_.load(std::memory_order_acquire)) return nullptr;
        return &items_[tail % Capacity];
    }
    void PopFront() {
        tail_.store(tail_.load(std::memory_order_relaxed) + 1, std::memory_order_release);
    }

    // Any thread: how many items were ever pushed, and how many the consumer has finished.
    std::uint64_t Pushed() const { return head_.load(std::memory_order_acquire); }
    std::uint64_t Popped() const { return tail_.load(std::memory_order_acquire); }

  private:
    std::array<T, Capacity> items_{};
    alignas(64) std::atomic<std::uint64_t> head_{0};
    alignas(64) std::atomic<std::uint64_t> tail_{0};
};

}  // namespace audio
