#pragma once
// Sound files built byte by byte, so the tests need no files from outside.
#include <cstdint>
#include <string>

namespace mci_test {

// A 16-bit PCM RIFF/WAVE file holding a 440 Hz tone.
std::string WaveBytes(int milliseconds, int samplesPerSec = 22050, int channels = 1);

// A format-0 standard MIDI file: `notes` quarter notes in a row at 120 beats a minute
// (500 ms each), on a piano.
std::string MidiBytes(int notes);

}  // namespace mci_test
