#pragma once
// General MIDI songs that reach across the instrument families: eight melodic channels, each
// with its own program and a program change half-way, a bank select on one, and a drum kit
// playing its common pieces.
#include <string>

namespace sound_files {

// `variant` picks the programs, so that two variants share few instruments.
std::string MakeGmSong(int seconds, int variant);

}  // namespace sound_files
