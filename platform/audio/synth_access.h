#pragma once
// Who may call the synthesiser: the audio thread, which must never wait, or a control thread
// loading a song's instruments, which may. FluidSynth runs without its own locking, so the two
// take turns; when the control thread has the turn, the audio thread does without for that
// block instead of waiting. While a song plays, the control thread takes its turn just after a
// period ends, so that it is done long before the next period wants the synthesiser.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace audio {

class SynthAccess {
  public:
    // Audio thread: holds the turn for its lifetime if it was free; false at once otherwise.
    class AudioTurn {
      public:
        explicit AudioTurn(SynthAccess& access)
            : access_(access), held_(!access.busy_.test_and_set(std::memory_order_acquire)) {
            inAudioTurn_ = held_;
        }
        ~AudioTurn() {
            if (!held_) return;
            inAudioTurn_ = false;
            access_.busy_.clear(std::memory_order_release);
        }
        AudioTurn(const AudioTurn&) = delete;
        AudioTurn& operator=(const AudioTurn&) = delete;
        explicit operator bool() const { return held_; }

      private:
        SynthAccess& access_;
        const bool held_;
    };

    // Control thread: waits for the turn, which the audio thread holds only for a fraction of a
    // period at a time; `betweenPeriods`, for the end of a period if a song plays.
    class ControlTurn {
      public:
        ControlTurn(SynthAccess& access, bool betweenPeriods) : access_(access) {
            if (betweenPeriods) access_.AwaitPeriodEnd();
            while (access_.busy_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        }
        ~ControlTurn() { access_.busy_.clear(std::memory_order_release); }
        ControlTurn(const ControlTurn&) = delete;
        ControlTurn& operator=(const ControlTurn&) = delete;

      private:
        SynthAccess& access_;
    };

    // Whether this thread is the audio thread, inside its turn.
    static bool InAudioTurn() { return inAudioTurn_; }

    // Audio thread, after a period's last turn: whether a song played in it.
    void PeriodEnded(bool songPlayed) {
        songPlaying_.store(songPlayed, std::memory_order_relaxed);
        periods_.fetch_add(1, std::memory_order_release);
    }

  private:
    // While a song plays, until a period is seen to end a moment ago: seen late (this thread
    // may wake late on a busy machine), the next period may be about to start. For 20 ms at
    // most; should no period have ended in them, the output has closed, and later turns are
    // taken at once until a period says a song plays.
    void AwaitPeriodEnd() {
        if (!songPlaying_.load(std::memory_order_relaxed)) return;
        using Clock = std::chrono::steady_clock;
        const std::uint64_t first = periods_.load(std::memory_order_acquire);
        std::uint64_t seen = first;
        auto looked = Clock::now();
        for (const auto quiet = looked + std::chrono::milliseconds(20); looked < quiet;) {
            std::this_thread::sleep_for(std::chrono::microseconds(100));
            const auto now = Clock::now();
            const std::uint64_t periods = periods_.load(std::memory_order_acquire);
            if (periods != seen && now - looked < std::chrono::milliseconds(1)) return;
            seen = periods;
            looked = now;
        }
        if (periods_.load(std::memory_order_acquire) == first)
            songPlaying_.store(false, std::memory_order_relaxed);
    }

    static inline thread_local bool inAudioTurn_ = false;
    std::atomic_flag busy_;
    std::atomic<bool> songPlaying_{false};
    std::atomic<std::uint64_t> periods_{0};
};

}  // namespace audio
