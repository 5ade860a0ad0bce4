// What a device with one track and no time format but milliseconds answers.
#include "platform/mci/device.h"

#include "platform/mci/tokens.h"

namespace mci {

ErrorCode Device::SetTimeFormat(std::string_view format) {
    return EqualsIgnoringCase(format, "milliseconds") || EqualsIgnoringCase(format, "ms")
               ? err::kNone
               : err::kBadConstant;
}

Outcome Device::Status(const Command& command) const {
    if (command.Number(Flag::Track).value_or(1) != 1) return err::kOutOfRange;
    if (command.Has(Flag::Position)) return Outcome::Reply(std::to_string(PositionMs()));
    if (command.Has(Flag::Length)) return Outcome::Reply(std::to_string(LengthMs()));
    if (command.Has(Flag::TimeFormatItem)) return Outcome::Reply("milliseconds");
    if (command.Has(Flag::MediaPresent)) return Outcome::Reply("true");
    if (command.Has(Flag::NumberOfTracks) || command.Has(Flag::CurrentTrack))
        return Outcome::Reply("1");
    if (command.Has(Flag::StartPosition)) return Outcome::Reply("0");
    return err::kUnsupportedFunction;
}

}  // namespace mci
