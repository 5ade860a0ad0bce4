#include "platform/audio/track.h"

#include <algorithm>

#include "platform/audio/mixer.h"

namespace audio {

Track::Track(std::shared_ptr<const Clip> clip, std::shared_ptr<Mixer> mixer)
    : clip_(std::move(clip)),
      mixer_(std::move(mixer)),
      line_(clip_ ? clip_->OutputLine() : Line::Wave),
      lengthFrames_(clip_ ? clip_->LengthFrames() : 0),
      lengthMs_(clip_ ? clip_->LengthMs() : 0),
      voice_(clip_ ? clip_->NewVoice() : nullptr) {}

Track::~Track() = default;

void Track::SetMode(PlayState mode) {
    if (mode_ == PlayState::Playing && mode != PlayState::Playing && voice_) voice_->Silence();
    mode_ = mode;
    published_.store(mode_);
    position_.store(frame_);
}

void Track::Play(std::int64_t from, std::int64_t to, std::int64_t loopStart, bool repeat) {
    from = std::clamp<std::int64_t>(from, 0, lengthFrames_);
    if (from != frame_ || mode_ == PlayState::Stopped) {
        if (voice_) voice_->Seek(from);
        frame_ = from;
    }
    end_ = std::clamp<std::int64_t>(to, 0, lengthFrames_);
    loopStart_ = std::clamp<std::int64_t>(loopStart, 0, lengthFrames_);
    // A loop needs something to play, or the audio thread would spin on an empty range.
    repeat_ = repeat && end_ > loopStart_;
    SetMode(PlayState::Playing);
}

void Track::Pause() {
    if (mode_ == PlayState::Playing) SetMode(PlayState::Paused);
}

void Track::Resume() {
    if (mode_ == PlayState::Paused) SetMode(PlayState::Playing);
}

void Track::Stop() {
    SetMode(PlayState::Stopped);
}

void Track::Seek(std::int64_t frame) {
    Stop();
    frame_ = std::clamp<std::int64_t>(frame, 0, lengthFrames_);
    if (voice_) voice_->Seek(frame_);
    position_.store(frame_);
}

// audio thread, mixer lock held
void Track::Render(float* stereo, int frames) {
    if (mode_ != PlayState::Playing) return;
    int done = 0;
    for (;;) {
        if (frame_ >= end_) {
            if (!repeat_) {
                Finish();
                return;
            }
            voice_->Seek(loopStart_);
            frame_ = loopStart_;
        }
        if (done == frames) break;
        const int count = static_cast<int>(std::min<std::int64_t>(frames - done, end_ - frame_));
        voice_->Render(stereo + 2 * done, count);
        frame_ += count;
        done += count;
    }
    position_.store(frame_);
}

// audio thread: the end or the "to" position was reached by itself.
void Track::Finish() {
    if (voice_) voice_->Silence();
    mode_ = PlayState::Stopped;
    position_.store(frame_);
    published_.store(mode_);
    finishedPending_.store(true);
    mixer_->WakeService();
}

void Track::Publish() {
    std::lock_guard lock(waitMutex_);
    stateChanged_.notify_all();
}

void Track::WaitWhilePlaying() {
    std::unique_lock lock(waitMutex_);
    stateChanged_.wait(lock, [this] { return published_.load() != PlayState::Playing; });
}

void Track::SetOnFinished(std::function<void()> callback) {
    // Waits for a notice already running, so the old callback is not called after this returns.
    std::unique_lock running(callbackMutex_, std::defer_lock);
    if (!mixer_->OnServiceThread()) running.lock();
    std::lock_guard lock(waitMutex_);
    onFinished_ = std::move(callback);
}

// service thread
void Track::DeliverFinishedIfPending() {
    if (!finishedPending_.exchange(false)) return;
    std::lock_guard running(callbackMutex_);
    std::function<void()> callback;
    {
        std::lock_guard lock(waitMutex_);
        stateChanged_.notify_all();
        callback = onFinished_;
    }
    if (callback) callback();
}

}  // namespace audio
