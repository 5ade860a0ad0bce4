#pragma once
// Fills the mixer records the program reads, from the line table.
#include "platform/mixer/mixer_lines.h"
#include "platform/multimedia.h"

namespace mixer {

// Fills everything but cbStruct, which stays as the caller set it.
void FillLine(const LineInfo& line, MIXERLINEA& record);
// Writes the documented 148 bytes of the line's volume control.
void FillVolumeControl(const LineInfo& line, MIXERCONTROLA& record);

}  // namespace mixer
