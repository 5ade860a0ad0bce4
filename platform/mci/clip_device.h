#pragma once
// A sound file opened as the element of a sequencer or waveaudio device. A wave file also
// answers for its sample format and counts in bytes or samples when asked to.
#include <memory>
#include <optional>

#include "platform/audio/player.h"
#include "platform/mci/device.h"
#include "platform/mci/wave_format.h"
#include "platform/mci/wave_time.h"

namespace mci {

class ClipDevice final : public Device {
  public:
    explicit ClipDevice(std::shared_ptr<const audio::Clip> clip,
                        std::optional<WaveFormat> wave = std::nullopt);

    ErrorCode Play(const Command& command) override;
    ErrorCode Pause() override;
    ErrorCode Resume() override;
    ErrorCode Stop() override;
    ErrorCode Seek(const Command& command) override;
    ErrorCode Cue(const Command& command) override;
    ErrorCode SetTimeFormat(std::string_view format) override;
    Outcome Status(const Command& command) const override;

    std::string_view Mode() const override;
    std::int64_t PositionMs() const override;
    std::int64_t LengthMs() const override;

    void WaitWhileRunning() const override;
    void SetOnFinished(std::function<void()> callback) override;

    bool Sounds() const { return player_.Sounds(); }

  private:
    bool inRange(std::int64_t ms) const { return ms >= 0 && ms <= player_.LengthMs(); }
    // A position of a command in milliseconds, and back.
    std::optional<std::int64_t> msOf(const Command& command, Flag flag) const;
    std::string unitsOf(std::int64_t ms) const;

    audio::Player player_;
    const std::optional<WaveFormat> wave_;
    WaveTime unit_ = WaveTime::Milliseconds;
    bool cued_ = false;  // stopped, but ready and reported as paused
};

}  // namespace mci
