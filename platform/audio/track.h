#pragma once
// The state a Player shares with the mix. Fields marked "mixer lock" are read and written only
// with Mixer::Lock() held; the atomics mirror them for lock-free reads by State and Position.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/audio/clip.h"
#include "platform/audio/player.h"

namespace audio {

class Mixer;

class Track {
  public:
    Track(std::shared_ptr<const Clip> clip, std::shared_ptr<Mixer> mixer);
    ~Track();

    Line OutputLine() const { return line_; }
    std::int64_t LengthFrames() const { return lengthFrames_; }
    std::int64_t LengthMs() const { return lengthMs_; }
    Mixer& Owner() const { return *mixer_; }

    // Control side (mixer lock held).
    void Play(std::int64_t from, std::int64_t to, std::int64_t loopStart, bool repeat);
    void Pause();
    void Resume();
    void Stop();
    void Seek(std::int64_t frame);

    // audio thread (mixer lock held): adds up to `frames` frames into the line's bus.
    void Render(float* stereo, int frames);

    PlayState State() const { return published_.load(); }
    std::int64_t PositionFrames() const { return position_.load(); }

    // Waiting and the finished notice (any thread, mixer lock not held).
    void WaitWhilePlaying();
    void SetOnFinished(std::function<void()> callback);
    void Publish();                   // wakes waiters after a control call changed the state
    void DeliverFinishedIfPending();  // service thread

  private:
    void Finish();
    void SetMode(PlayState mode);

    const std::shared_ptr<const Clip> clip_;
    const std::shared_ptr<Mixer> mixer_;
    const Line line_;
    const std::int64_t lengthFrames_;
    const std::int64_t lengthMs_;
    std::unique_ptr<Voice> voice_;

    // mixer lock
    PlayState mode_ = PlayState::Stopped;
    std::int64_t frame_ = 0;
    std::int64_t end_ = 0;
    std::int64_t loopStart_ = 0;
    bool repeat_ = false;

    std::atomic<PlayState> published_{PlayState::Stopped};
    std::atomic<std::int64_t> position_{0};
    std::atomic<bool> finishedPending_{false};

    std::mutex waitMutex_;
    std::condition_variable stateChanged_;
    std::function<void()> onFinished_;  // waitMutex_
    std::mutex callbackMutex_;          // held while the notice runs
};

}  // namespace audio
