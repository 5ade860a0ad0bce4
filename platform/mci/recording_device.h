#pragma once
// A "new" waveaudio device: records what the engine plays and saves it as a WAV file in the
// format set on it. Pause stops capturing and resume goes on at the end of what is there.
#include "platform/audio/recorder.h"
#include "platform/mci/device.h"
#include "platform/mci/wave_format.h"
#include "platform/mci/wave_time.h"

namespace mci {

class RecordingDevice final : public Device {
  public:
    ErrorCode Pause() override;
    ErrorCode Resume() override;
    ErrorCode Stop() override;
    ErrorCode Record(const Command& command) override;
    ErrorCode Cue(const Command& command) override;
    ErrorCode SetTimeFormat(std::string_view format) override;
    Outcome Status(const Command& command) const override;
    ErrorCode SetFormat(const Command& command) override;
    ErrorCode Save(const std::string& path) override;

    std::string_view Mode() const override;
    std::int64_t PositionMs() const override { return recorder_.PositionMs(); }
    std::int64_t LengthMs() const override { return recorder_.PositionMs(); }

  private:
    audio::Recorder recorder_;
    WaveFormat format_;
    WaveTime unit_ = WaveTime::Milliseconds;
    bool paused_ = false;
    bool started_ = false;  // a recording has begun: the format is fixed from then on
};

}  // namespace mci
