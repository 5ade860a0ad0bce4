#pragma once
// A "new" waveaudio device: records what the engine plays and saves it as a WAV file in the
// format set on it. A recording goes in at the position, before what follows or over it; seek
// moves about in what was recorded and delete cuts a stretch out. Pause stops capturing and
// resume goes on where it stopped, up to the end the record asked for.
#include <optional>
#include <string>

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
    ErrorCode Seek(const Command& command) override;
    ErrorCode Record(const Command& command) override;
    ErrorCode Delete(const Command& command) override;
    ErrorCode Cue(const Command& command) override;
    ErrorCode SetTimeFormat(std::string_view format) override;
    Outcome Status(const Command& command) const override;
    ErrorCode SetFormat(const Command& command) override;
    ErrorCode Save(const std::string& path) override;

    std::string_view Mode() const override;
    std::int64_t PositionMs() const override { return recorder_.PositionMs(); }
    std::int64_t LengthMs() const override { return recorder_.LengthMs(); }

    void WaitWhileRunning() const override { recorder_.WaitWhileRecording(); }
    void SetOnFinished(std::function<void()> callback) override;

  private:
    // A position of a command in milliseconds, and back, in the time format set.
    std::optional<std::int64_t> msOf(const Command& command, Flag flag) const;
    std::string unitsOf(std::int64_t ms) const;
    bool inRange(std::int64_t ms) const { return ms >= 0 && ms <= LengthMs(); }
    std::string level() const;


    audio::Recorder recorder_;
    WaveFormat format_;
    WaveTime unit_ = WaveTime::Milliseconds;
    bool paused_ = false;
    bool overwrite_ = false;              // of the record paused
    std::optional<std::int64_t> endMs_;  // where the record paused was to end
    bool started_ = false;  // a recording has begun: the format is fixed from then on
};

}  // namespace mci
