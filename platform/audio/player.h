#pragma once
// One open device's transport over a clip.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/audio/clip.h"

namespace audio {

class Track;

enum class PlayState { Stopped, Playing, Paused };

// One open device's transport. Control calls may come from any thread; rendering happens on
// the engine's audio thread, which they never block.
class Player {
  public:
    explicit Player(
        std::shared_ptr<const Clip> clip);  // attaches to Engine::Shared(), stopped at 0
    ~Player();                              // silent and detached before it returns
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // Each is false, and changes nothing, when the output cannot take it: Play and Resume when
    // Mixer::kMaxPlaying others sound already, any of them when the audio thread has stopped
    // taking commands.
    bool Play(std::optional<std::int64_t> fromMs, std::optional<std::int64_t> toMs, bool repeat);
    bool Pause();                // Playing -> Paused, position held
    bool Resume();               // Paused -> Playing
    bool Stop();                 // -> Stopped, position kept where it was
    bool Seek(std::int64_t ms);  // -> Stopped at ms (clamped to 0..LengthMs)
    PlayState State() const;
    // False for a MIDI song opened when every synthesiser channel block is taken: it could
    // only play silence, so the caller refuses the open.
    bool Sounds() const;
    std::int64_t PositionMs() const;  // advances in real time while Playing, also on the null sink
    std::int64_t LengthMs() const;
    // Blocks until the state is no longer Playing (end or "to" reached, Stop/Pause from another
    // thread).
    void WaitWhilePlaying() const;
    // Called once each time playback reaches its end (or its "to" position) by itself, from a
    // non-audio thread; not called for Stop/Pause/Seek.
    void SetOnFinished(std::function<void()> callback);

  private:
    bool Control(bool (Track::*change)());  // under the mixer lock, then wakes waiters

    std::shared_ptr<Track> track_;
};

}  // namespace audio
