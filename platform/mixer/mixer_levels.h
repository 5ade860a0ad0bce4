#pragma once
// The level of each mixer line in fader units. The speakers line is the machine's master
// volume where there is one (ALSA "Master" on the default card, which on PulseAudio and
// PipeWire desktops is the default sink's volume), and the engine's master gain only where
// there is none (no Master control, or output to the silent or offline sink); setting both would
// apply the level twice. The source lines are the engine's line gains.
#include <cstdint>

#include "platform/mixer/machine_volume.h"
#include "platform/mixer/mixer_lines.h"

namespace mixer {

std::uint32_t ReadLevel(const LineInfo& line);
// Clamps to the fader's range.
void WriteLevel(const LineInfo& line, std::uint32_t value);

// Whether the speakers line follows the machine's volume (on at first). Tests turn it off
// so that they leave the machine's volume alone.
void FollowMachineVolume(bool follow);
// Puts a stand-in in place of ALSA's Master while following; nullptr returns to ALSA.
void UseMachineVolume(MachineVolume* standIn);

}  // namespace mixer
