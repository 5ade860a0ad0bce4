#pragma once
// A fixed-size lock-free ring for one producer thread and one consumer thread: what one side
// hands the other (commands to the audio thread, decoded sound from a reader, the mix to a
// recorder) without either waiting. Its storage is allocated once, at construction.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace audio {

template <class T, std::size_t Capacity>
class SpscRing {
  public:
    // A stretch of the ring, in order: where it wraps, the second span holds the rest.
    template <class U>
    using Spans = std::array<std::span<U>, 2>;

    // Producer: the free slots, to fill and then Commit.
    Spans<T> Writable() {
        const std::uint64_t written = written_.load(std::memory_order_relaxed);
        return spans<T>(written, Capacity - (written - consumed_.load(std::memory_order_acquire)));
    }
    void Commit(std::size_t count) {
        written_.store(written_.load(std::memory_order_relaxed) + count, std::memory_order_release);
    }
    // Producer: copies as many of `items` as fit; returns how many.
    std::size_t Write(const T* items, std::size_t count) {
        std::size_t done = 0;
        for (const std::span<T> part : Writable()) {
            const std::size_t n = std::min(part.size(), count - done);
            std::copy_n(items + done, n, part.begin());
            done += n;
        }
        Commit(done);
        return done;
    }

    // Consumer: what is there, oldest first; it stays until Consume, so the producer can tell
    // from Consumed that the consumer has finished with it.
    Spans<const T> Readable() const {
        const std::uint64_t consumed = consumed_.load(std::memory_order_relaxed);
        return spans<const T>(consumed, written_.load(std::memory_order_acquire) - consumed);
    }
    void Consume(std::size_t count) {
        consumed_.store(consumed_.load(std::memory_order_relaxed) + count,
                        std::memory_order_release);
    }

    // Any thread: how many items were ever written, how many consumed, and how many are in.
    std::uint64_t Written() const { return written_.load(std::memory_order_acquire); }
    std::uint64_t Consumed() const { return consumed_.load(std::memory_order_acquire); }
    std::size_t Size() const {
        const std::uint64_t consumed = Consumed();  // first: it never passes what is written
        return std::size_t(Written() - consumed);
    }

  private:
    template <class U>
    Spans<U> spans(std::uint64_t from, std::uint64_t count) const {
        const std::size_t at = std::size_t(from % Capacity);
        const std::size_t first = std::min(std::size_t(count), Capacity - at);
        return {std::span<U>(items_.get() + at, first),
                std::span<U>(items_.get(), std::size_t(count) - first)};
    }

    const std::unique_ptr<T[]> items_ = std::make_unique<T[]>(Capacity);
    alignas(64) std::atomic<std::uint64_t> written_{0};
    alignas(64) std::atomic<std::uint64_t> consumed_{0};
};

}  // namespace audio
