#pragma once
// One open device as the interpreter drives it. Each command returns 0 or an error number;
// what a kind of device does not do is refused with kUnsupportedFunction.
//
// Thread model: the interpreter calls one device from one thread at a time (it holds the
// device's own lock), except WaitWhileRunning, which it calls without that lock so that
// another thread can stop or close the device meanwhile.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/mci/command.h"
#include "platform/mci/error_codes.h"
#include "platform/mci/outcome.h"

namespace mci {

class Device {
  public:
    virtual ~Device() = default;

    virtual ErrorCode Play(const Command&) { return err::kUnsupportedFunction; }
    virtual ErrorCode Pause() { return err::kUnsupportedFunction; }
    virtual ErrorCode Resume() { return err::kUnsupportedFunction; }
    virtual ErrorCode Stop() = 0;
    virtual ErrorCode Seek(const Command&) { return err::kUnsupportedFunction; }
    virtual ErrorCode Record(const Command&) { return err::kUnsupportedFunction; }
    virtual ErrorCode Delete(const Command&) { return err::kUnsupportedFunction; }
    // Makes the device ready to play ("output") or record ("input") at once: paused there.
    virtual ErrorCode Cue(const Command&) { return err::kUnsupportedFunction; }
    // "set" with samplespersec, channels, bitspersample, alignment, bytespersec or format tag.
    virtual ErrorCode SetFormat(const Command&) { return err::kUnsupportedFunction; }
    virtual ErrorCode Save(const std::string&) { return err::kUnsupportedFunction; }
    // "set ... door open" or "door closed".
    virtual ErrorCode SetDoor(bool /*open*/) { return err::kUnsupportedFunction; }

    // "set ... time format": every device takes milliseconds, some more.
    virtual ErrorCode SetTimeFormat(std::string_view format);
    // "status" with any item but mode, ready and window handle; positions and lengths in the
    // time format set.
    virtual Outcome Status(const Command& command) const;

    virtual std::string_view Mode() const = 0;  // "playing", "paused", "stopped", ...
    virtual bool Ready() const { return true; }
    virtual std::int64_t PositionMs() const = 0;
    virtual std::int64_t LengthMs() const = 0;

    // Blocks while a play or a record runs, until it ends or another thread stops it.
    virtual void WaitWhileRunning() const {}
    // Called when a play or a record reaches its end (or its "to" position) by itself.
    virtual void SetOnFinished(std::function<void()>) {}
};

}  // namespace mci
