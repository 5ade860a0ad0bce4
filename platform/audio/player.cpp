#include "platform/audio/player.h"

#include <algorithm>
#include <mutex>

#include "platform/audio/engine.h"
#include "platform/audio/mixer.h"
#include "platform/audio/track.h"

namespace audio {

namespace {

// Clamped to the clip, with its length in ms meaning its very last frame.
std::int64_t MsToFrames(const Track& track, std::int64_t ms) {
    if (ms >= track.LengthMs()) return track.LengthFrames();
    return std::max<std::int64_t>(ms, 0) * track.Owner().SampleRate() / 1000;
}

}  // namespace

Player::Player(std::shared_ptr<const Clip> clip)
    : track_(std::make_shared<Track>(std::move(clip), Engine::Shared().SharedMixer())) {
    std::lock_guard lock(track_->Owner().Lock());
    track_->Owner().Register(track_);
}

// Let go at once: the file, buffers, disc reader and synthesiser channels are free when this
// returns. A track the mix still holds gets a stop, which the mix must pass before the track is
// freed.
Player::~Player() {
    {
        std::lock_guard lock(track_->Owner().Lock());
        track_->Stop();
        track_->Owner().Unregister(track_.get());
    }
    track_->Publish();
    track_->SetOnFinished(nullptr);
    track_->Owner().Settle();
}

// The voice is cued before the lock, so opening and reading a file holds up no other player.
bool Player::Play(std::optional<std::int64_t> fromMs, std::optional<std::int64_t> toMs,
                  bool repeat) {
    Span span;
    span.from = fromMs ? MsToFrames(*track_, *fromMs) : track_->PositionFrames();
    span.end = toMs ? MsToFrames(*track_, *toMs) : track_->LengthFrames();
    // An unbounded loop goes back to the start of the clip, a bounded one to its "from".
    span.loopStart = fromMs ? span.from : 0;
    span.repeat = repeat;
    span = track_->Clamp(span);
    std::shared_ptr<Voice> voice = track_->Cue(span);
    bool played = false;
    {
        std::lock_guard lock(track_->Owner().Lock());
        played = track_->Play(span, voice);
    }
    track_->Publish();
    return played;
}

bool Player::Pause() {
    return Control(&Track::Pause);
}

bool Player::Resume() {
    return Control(&Track::Resume);
}

bool Player::Stop() {
    return Control(&Track::Stop);
}

bool Player::Seek(std::int64_t ms) {
    bool done = false;
    {
        std::lock_guard lock(track_->Owner().Lock());
        done = track_->Seek(MsToFrames(*track_, ms));
    }
    track_->Publish();
    return done;
}

bool Player::Control(bool (Track::*change)()) {
    bool done = false;
    {
        std::lock_guard lock(track_->Owner().Lock());
        done = (*track_.*change)();
    }
    track_->Publish();
    return done;
}

PlayState Player::State() const {
    return track_->State();
}

bool Player::Sounds() const {
    return track_->Sounds();
}

std::int64_t Player::PositionMs() const {
    const std::int64_t frame = track_->PositionFrames();
    // Whole-frame lengths round down; the end of the clip reads as its exact length.
    if (frame >= track_->LengthFrames()) return track_->LengthMs();
    // To the nearest millisecond, so a position set in milliseconds reads back unchanged.
    const int rate = track_->Owner().SampleRate();
    return std::min((frame * 1000 + rate / 2) / rate, track_->LengthMs());
}

std::int64_t Player::LengthMs() const {
    return track_->LengthMs();
}

void Player::WaitWhilePlaying() const {
    track_->WaitWhilePlaying();
}

void Player::SetOnFinished(std::function<void()> callback) {
    track_->SetOnFinished(std::move(callback));
}

}  // namespace audio
