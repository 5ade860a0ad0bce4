#pragma once
// A "cdaudio" device: the audio disc in one CD drive, played through the engine's mix.
// Positions are sectors of the disc inside, shown in the time format set (milliseconds,
// msf or tmsf); the transport itself is that of any clip. The table of contents is the one
// read at open: after the tray has been opened, the device is not ready until it is closed
// again, and a disc put in meanwhile is seen by opening the drive anew.
#include "platform/audio/cd_audio.h"
#include "platform/mci/cd_time.h"
#include "platform/mci/clip_device.h"

namespace mci {

class CdDevice final : public Device {
  public:
    CdDevice(std::string source, std::shared_ptr<const audio::Clip> disc, audio::CdToc toc);

    ErrorCode Play(const Command& command) override;
    ErrorCode Pause() override { return trayOpen_ ? err::kHardware : clip_.Pause(); }
    ErrorCode Resume() override { return trayOpen_ ? err::kHardware : clip_.Resume(); }
    ErrorCode Stop() override { return clip_.Stop(); }
    ErrorCode Seek(const Command& command) override;
    ErrorCode SetTimeFormat(std::string_view format) override;
    ErrorCode SetDoor(bool open) override;
    Outcome Status(const Command& command) const override;

    std::string_view Mode() const override { return trayOpen_ ? "open" : clip_.Mode(); }
    bool Ready() const override { return !trayOpen_; }
    std::int64_t PositionMs() const override;
    std::int64_t LengthMs() const override;

    void WaitWhileRunning() const override { clip_.WaitWhileRunning(); }
    void SetOnFinished(std::function<void()> callback) override {
        clip_.SetOnFinished(std::move(callback));
    }

  private:
    std::int64_t sector() const;
    const audio::CdTrack* trackNumbered(const Command& command) const;  // null: no such track
    Outcome position(const Command& command) const;
    Outcome length(const Command& command) const;

    const std::string source_;
    ClipDevice clip_;  // the whole disc, sector 0 at its start
    const audio::CdToc toc_;
    cd::TimeFormat format_ = cd::TimeFormat::Milliseconds;
    bool trayOpen_ = false;
};

}  // namespace mci
