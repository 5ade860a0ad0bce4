#pragma once
// A sequencer or waveaudio device opened without a file ("open Sequencer alias x"): it can be
// asked about and closed, but it has nothing to play.
#include "platform/mci/device.h"

namespace mci {

class EmptyDevice final : public Device {
  public:
    ErrorCode Play(const Command&) override { return err::kNonapplicableFunction; }
    ErrorCode Pause() override { return err::kNonapplicableFunction; }
    ErrorCode Resume() override { return err::kNonapplicableFunction; }
    ErrorCode Stop() override { return err::kNone; }
    ErrorCode Seek(const Command&) override { return err::kNonapplicableFunction; }

    std::string_view Mode() const override { return "not ready"; }
    bool Ready() const override { return false; }
    std::int64_t PositionMs() const override { return 0; }
    std::int64_t LengthMs() const override { return 0; }
};

}  // namespace mci
