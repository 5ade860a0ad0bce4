#pragma once
// The recorder's tap on the mix. The audio thread writes into a fixed ring; the mixer's
// service thread (and the control thread when it asks) moves the frames on into a temporary
// file, so capture memory stays the ring's however long it runs, and the audio thread never
// allocates. A capture may be given a length: it takes no more, and says once that it is full;
// a full disk ends it the same way.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/audio/frame_file.h"
#include "platform/audio/spsc_ring.h"

namespace audio {

class Capture {
  public:
    explicit Capture(int sampleRate);

    int SampleRate() const { return sampleRate_; }

    // audio thread: copies stereo frames into the ring; frames that do not fit are dropped.
    void Write(const float* stereo, int frames);

    // Control side, while not attached to the mixer: from now on take at most `frames` more
    // (none given: no limit), and call `onFull` once, from whichever thread drains, when done.
    void Limit(std::optional<std::int64_t> frames, std::function<void()> onFull);
    bool Full() const;
    // The loudest sample of each channel over the latest few tens of milliseconds, 0 to 1.
    std::array<float, 2> Level() const;

    // control or service thread: moves what the ring holds into the file.
    void Drain();
    // False when the disk took only part of what was captured since the last Clear.
    bool KeptAll();
    void Clear();
    std::int64_t Frames();
    // Copies frames [first, first + count) into `stereo` (after a Drain).
    void Read(std::int64_t first, std::int64_t count, float* stereo);

  private:
    void moveRingToFile();

    const int sampleRate_;

    SpscRing<float, 2 << 17> ring_;  // stereo frames: about three seconds at 44.1 kHz
    std::atomic<std::uint64_t> limit_{UINT64_MAX};  // in frames ever written

    // Level: the audio thread gathers peaks over a window, then publishes them.
    std::array<float, 2> windowPeak_{};
    std::int64_t windowFrames_ = 0;
    std::array<std::atomic<float>, 2> level_{};

    std::mutex fullMutex_;  // onFull_ and whether it was called
    std::function<void()> onFull_;

    std::mutex fileMutex_;  // consumer side: Drain, Clear, Read
    FrameFile file_;
    bool lost_ = false;
};

}  // namespace audio
