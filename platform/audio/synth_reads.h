#pragma once
// The soundfont's file, read through a loader of our own so that a read on the audio thread
// (inside an audio turn) is seen: a sample loaded there is a fault, since every instrument a
// song selects is loaded when it opens.
#include <fluidsynth.h>

namespace audio {

// A SoundFont loader like FluidSynth's own, counting the reads made on the audio thread.
fluid_sfloader_t* NewCountingLoader(fluid_settings_t* settings);

// Reads of soundfont data on the audio thread since the process started.
long SoundfontReadsOnAudioThread();
// Reads of soundfont data on any thread since the process started.
long SoundfontReads();

}  // namespace audio
