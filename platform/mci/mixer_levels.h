#pragma once
// The level of each mixer line in fader units: the engine's line gain, and for the speakers
// line also the machine's ALSA "Master" volume where there is one.
#include <cstdint>

#include "platform/mci/mixer_lines.h"

namespace mixer {

std::uint32_t ReadLevel(const LineInfo& line);
// Clamps to the fader's range.
void WriteLevel(const LineInfo& line, std::uint32_t value);

// Whether the speakers line follows the machine's volume (on at first). Tests turn it off
// so that they leave the machine's volume alone.
void FollowMachineVolume(bool follow);

}  // namespace mixer
