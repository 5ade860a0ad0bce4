#pragma once
// Small valid sound files made on the spot: a sine tone as a PCM WAVE file and a short
// single-track MIDI song.
#include <string>

namespace sound_files {

std::string Wave(int milliseconds);
std::string Midi(int notes);

}  // namespace sound_files
