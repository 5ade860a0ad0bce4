#include "platform/audio/track.h"

#include <algorithm>

namespace audio {

namespace {

// The published word: command number (22 bits), state (2 bits), position in frames (40 bits,
// some 290 days at 44.1 kHz).
constexpr int kFrameBits = 40;
constexpr int kStateBits = 2;
constexpr std::uint64_t kFrameMask = (std::uint64_t(1) << kFrameBits) - 1;
constexpr std::uint32_t kSequenceMask = (1u << (64 - kFrameBits - kStateBits)) - 1;

std::uint64_t Pack(std::uint32_t sequence, PlayState state, std::int64_t frame) {
    return std::uint64_t(sequence & kSequenceMask) << (kFrameBits + kStateBits) |
           std::uint64_t(state) << kFrameBits | (std::uint64_t(frame) & kFrameMask);
}

std::uint32_t SequenceOf(std::uint64_t word) {
    return std::uint32_t(word >> (kFrameBits + kStateBits));
}

}  // namespace

Track::Track(std::shared_ptr<const Clip> clip, std::shared_ptr<Mixer> mixer)
    : clip_(std::move(clip)),
      mixer_(std::move(mixer)),
      line_(clip_ ? clip_->OutputLine() : Line::Wave),
      lengthFrames_(clip_ ? clip_->LengthFrames() : 0),
      lengthMs_(clip_ ? clip_->LengthMs() : 0),
      idle_(clip_ ? clip_->NewVoice() : nullptr) {}

Track::~Track() = default;

PlayState Track::State() const {
    return PlayState((published_.load(std::memory_order_acquire) >> kFrameBits) & 3);
}

std::int64_t Track::PositionFrames() const {
    return std::int64_t(published_.load(std::memory_order_acquire) & kFrameMask);
}

// Publishes what the command will lead to at once, so the caller reads its own change back;
// a command the queue did not take leaves the word as it was.
bool Track::Send(Command::Transport transport, PlayState state, std::int64_t frame, Voice* voice,
                 const Span& span) {
    const std::uint64_t before = published_.load(std::memory_order_acquire);
    const std::uint32_t sequence = sequence_;
    sequence_ = (sequence_ + 1) & kSequenceMask;
    published_.store(Pack(sequence_, state, frame), std::memory_order_release);
    Command command;
    command.transport = transport;
    command.track = this;
    command.voice = voice;
    command.sequence = sequence_;
    command.span = span;
    if (mixer_->Send(command)) return true;
    sequence_ = sequence;
    published_.store(before, std::memory_order_release);
    return false;
}

Span Track::Clamp(Span span) const {
    span.from = std::clamp<std::int64_t>(span.from, 0, lengthFrames_);
    span.end = std::clamp<std::int64_t>(span.end, 0, lengthFrames_);
    span.loopStart = std::clamp<std::int64_t>(span.loopStart, 0, lengthFrames_);
    // A loop needs something to play, or the audio thread would spin on an empty range.
    span.repeat = span.repeat && span.end > span.loopStart;
    return span;
}

std::shared_ptr<Voice> Track::Cue(const Span& span) const {
    return idle_ ? std::shared_ptr<Voice>(idle_->Cue(span)) : nullptr;
}

bool Track::Play(const Span& span, std::shared_ptr<Voice>& voice) {
    if (!voice) {
        published_.store(Pack(sequence_, PlayState::Stopped, 0));
        return true;
    }
    if (!mixer_->HasRoomFor(this)) return false;
    if (!Send(Command::Transport::Start, PlayState::Playing, span.from, voice.get(), span))
        return false;
    mixer_->Retire(std::move(current_));
    current_ = std::move(voice);
    return true;
}

bool Track::Pause() {
    return State() != PlayState::Playing ||
           Send(Command::Transport::Pause, PlayState::Paused, PositionFrames());
}

bool Track::Resume() {
    if (State() != PlayState::Paused) return true;
    return mixer_->HasRoomFor(this) &&
           Send(Command::Transport::Resume, PlayState::Playing, PositionFrames());
}

// A stopped track needs no voice until its next play cues one: its buffers go now. One the mix
// has let go of and that reads stopped needs no command, so stopping it opens no output and
// closing many stopped players waits for the audio thread not once.
bool Track::Stop() {
    const bool held = State() != PlayState::Stopped || Listed();
    if (held && !Send(Command::Transport::Stop, PlayState::Stopped, PositionFrames()))
        return false;
    mixer_->Retire(std::move(current_));
    return true;
}

bool Track::Seek(std::int64_t frame) {
    frame = std::clamp<std::int64_t>(frame, 0, lengthFrames_);
    if (!Send(Command::Transport::Seek, PlayState::Stopped, frame, nullptr, Span{.from = frame}))
        return false;
    mixer_->Retire(std::move(current_));
    return true;
}

// audio thread
void Track::Apply(const Command& command) {
    applied_ = command.sequence;
    const bool wasPlaying = mode_ == PlayState::Playing;
    switch (command.transport) {
        case Command::Transport::Start:
            if (voice_ && wasPlaying) voice_->Silence();
            voice_ = command.voice;
            span_ = command.span;
            frame_ = span_.from;
            mode_ = PlayState::Playing;
            break;
        case Command::Transport::Pause:
            if (wasPlaying) mode_ = PlayState::Paused;
            break;
        case Command::Transport::Resume:
            if (mode_ == PlayState::Paused && voice_) mode_ = PlayState::Playing;
            break;
        case Command::Transport::Stop:
            mode_ = PlayState::Stopped;
            break;
        case Command::Transport::Seek:
            mode_ = PlayState::Stopped;
            frame_ = command.span.from;
            // The voice is at the old position: a later Play cues a new one.
            voice_ = nullptr;
            break;
    }
    if (wasPlaying && mode_ != PlayState::Playing && voice_) voice_->Silence();
    PublishFromAudio();
}

// audio thread
void Track::Halt() {
    voice_->Silence();
    mode_ = PlayState::Stopped;
    PublishFromAudio();
}

// audio thread: publishes unless a newer control call has published since.
void Track::PublishFromAudio() {
    std::uint64_t seen = published_.load(std::memory_order_acquire);
    if (SequenceOf(seen) != applied_) return;
    published_.compare_exchange_strong(seen, Pack(applied_, mode_, frame_),
                                       std::memory_order_acq_rel);
}

// audio thread
bool Track::Render(float* stereo, int frames) {
    if (mode_ != PlayState::Playing) return true;
    bool ready = true;
    int done = 0;
    for (;;) {
        if (frame_ >= span_.end) {
            if (!span_.repeat) {
                Finish();
                return ready;
            }
            voice_->Rewind();
            frame_ = span_.loopStart;
        }
        if (done == frames) break;
        const int count =
            static_cast<int>(std::min<std::int64_t>(frames - done, span_.end - frame_));
        ready = voice_->Render(stereo + 2 * done, count) && ready;
        frame_ += count;
        done += count;
        if (voice_->Ended()) {
            Finish();
            return ready;
        }
    }
    PublishFromAudio();
    return ready;
}

// audio thread: the end or the "to" position was reached by itself.
void Track::Finish() {
    voice_->Silence();
    mode_ = PlayState::Stopped;
    std::uint64_t seen = published_.load(std::memory_order_acquire);
    if (SequenceOf(seen) != applied_) return;
    if (published_.compare_exchange_strong(seen, Pack(applied_, mode_, frame_),
                                           std::memory_order_acq_rel)) {
        finishedPending_.store(true, std::memory_order_release);
        mixer_->NoteFinished();
    }
}

void Track::Publish() {
    std::lock_guard lock(waitMutex_);
    stateChanged_.notify_all();
}

void Track::WaitWhilePlaying() {
    std::unique_lock lock(waitMutex_);
    stateChanged_.wait(lock, [this] { return State() != PlayState::Playing; });
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
    {
        std::lock_guard control(mixer_->Lock());
        // Played to its end: its buffers wait for no one until the next play cues new ones.
        if (State() == PlayState::Stopped) mixer_->Retire(std::move(current_));
    }
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
