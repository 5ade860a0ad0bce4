#pragma once
// A sound file opened as the element of a sequencer or waveaudio device.
#include <memory>

#include "platform/audio/player.h"
#include "platform/mci/device.h"

namespace mci {

class ClipDevice final : public Device {
  public:
    explicit ClipDevice(std::shared_ptr<const audio::Clip> clip);

    ErrorCode Play(const Command& command) override;
    ErrorCode Pause() override;
    ErrorCode Resume() override;
    ErrorCode Stop() override;
    ErrorCode Seek(const Command& command) override;

    std::string_view Mode() const override;
    std::int64_t PositionMs() const override;
    std::int64_t LengthMs() const override;

    void WaitWhilePlaying() const override;
    void SetOnFinished(std::function<void()> callback) override;

    bool Sounds() const { return player_.Sounds(); }

  private:
    bool inRange(std::int64_t ms) const { return ms >= 0 && ms <= player_.LengthMs(); }

    audio::Player player_;
};

}  // namespace mci
