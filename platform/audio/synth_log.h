#pragma once
// FluidSynth's messages (and those of the GLib-based DLS reader it tries when a file is not a
// SoundFont), kept out of the terminal: the first message of each cause (its level
// and first words) is held, later ones of that cause are dropped, and held messages reach
// standard error only when a control thread flushes them. The handler itself neither locks,
// allocates nor writes, because the synthesiser may log from the audio thread.
namespace audio {

// Routes FluidSynth's log through the handler; safe to call more than once.
void InstallSynthLog();

// Control thread: writes the held messages not yet written, one line each.
void FlushSynthLog();

}  // namespace audio
