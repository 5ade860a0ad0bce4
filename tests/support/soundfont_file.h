#pragma once
// A minimal SoundFont 2 file made by the tests: one looped sine sample, one instrument, and two
// presets on it, a piano (bank 0, program 0) and a drum kit (bank 128, program 0).
#include <string>

namespace sound_files {

std::string MakeSoundfont();

}  // namespace sound_files
