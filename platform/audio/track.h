#pragma once
// The state a Player shares with the mix. Control calls (Mixer::Lock() held) cue voices and
// send commands; the audio thread applies them to its own copy of the transport, and both
// publish what a reader sees (state and position) in one atomic word tagged with the number
// of the command it reflects, so the audio thread never overwrites a newer control call's word.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/audio/clip.h"
#include "platform/audio/mixer.h"
#include "platform/audio/player.h"

namespace audio {

class Track {
  public:
    Track(std::shared_ptr<const Clip> clip, std::shared_ptr<Mixer> mixer);
    ~Track();

    Line OutputLine() const { return line_; }
    std::int64_t LengthFrames() const { return lengthFrames_; }
    std::int64_t LengthMs() const { return lengthMs_; }
    Mixer& Owner() const { return *mixer_; }
    bool Sounds() const { return !idle_ || idle_->Sounds(); }

    // Control side, mixer lock not held: the span within the clip, and a voice cued for it
    // (the slow part of a play: a WAV file opened, seeked and read), null without a clip.
    Span Clamp(Span span) const;
    std::shared_ptr<Voice> Cue(const Span& span) const;

    // Control side (mixer lock held). False when refused: the mix has no room for another
    // sounding track, or the audio thread takes no more commands. Play takes the voice only
    // when it succeeds.
    bool Play(const Span& span, std::shared_ptr<Voice>& voice);
    bool Pause();
    bool Resume();
    bool Stop();
    bool Seek(std::int64_t frame);

    // Audio thread.
    void Apply(const Command& command);
    bool Render(float* stereo, int frames);  // false when the voice was not ready in time
    bool Playing() const { return mode_ == PlayState::Playing; }
    // Whether the mix holds the track among those it plays; it touches a track no more once
    // it has set this false. Read on the control side too.
    bool Listed() const { return listed_.load(std::memory_order_acquire); }
    // The mix has no room for another playing track: stopped rather than silent "playing".
    void Halt();
    void SetListed(bool listed) { listed_.store(listed, std::memory_order_release); }

    PlayState State() const;
    std::int64_t PositionFrames() const;

    // Waiting and the finished notice (any thread, mixer lock not held).
    void WaitWhilePlaying();
    void SetOnFinished(std::function<void()> callback);
    void Publish();                   // wakes waiters after a control call changed the state
    void DeliverFinishedIfPending();  // service thread

  private:
    bool Send(Command::Transport transport, PlayState state, std::int64_t frame,
              Voice* voice = nullptr, const Span& span = {});
    void Finish();
    void PublishFromAudio();

    const std::shared_ptr<const Clip> clip_;
    const std::shared_ptr<Mixer> mixer_;
    const Line line_;
    const std::int64_t lengthFrames_;
    const std::int64_t lengthMs_;

    // Control side (mixer lock).
    const std::shared_ptr<Voice> idle_;  // held from open: the source of cues
    std::shared_ptr<Voice> current_;  // the voice last handed to the audio thread
    std::uint32_t sequence_ = 0;

    // Audio thread.
    Voice* voice_ = nullptr;
    PlayState mode_ = PlayState::Stopped;
    std::int64_t frame_ = 0;
    Span span_;
    std::uint32_t applied_ = 0;
    std::atomic<bool> listed_{false};

    std::atomic<std::uint64_t> published_{0};
    std::atomic<bool> finishedPending_{false};

    std::mutex waitMutex_;
    std::condition_variable stateChanged_;
    std::function<void()> onFinished_;  // waitMutex_
    std::mutex callbackMutex_;          // held while the notice runs
};

}  // namespace audio
