#pragma once
// General MIDI songs for measuring render speed, at 120 beats per minute, from sparse to dense.
#include <string>

namespace audio_bench {

// Piano chords, a bass line, a string pad and a drum kit.
std::string MakeBusySong(int seconds);

// A flute and a guitar, a few notes a second for one bar, then two bars of rest.
std::string MakeSparseSong(int seconds);

// Nine instruments running in sixteenth notes, held chords and a drum kit on every sixteenth.
std::string MakeDenseSong(int seconds);

// One half-second note on `program` and rest to ten seconds: heard apart from the song before
// it.
std::string MakeOneNoteSong(int program);

}  // namespace audio_bench
