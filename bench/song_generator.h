#pragma once
// A busy General MIDI song for measuring render speed: piano chords, a bass line, a string
// pad and a drum kit, at 120 beats per minute.
#include <string>

namespace audio_bench {

std::string MakeBusySong(int seconds);

}  // namespace audio_bench
