#pragma once
// Floods of channel messages thinned at read time, so that however a file is made, one block
// of the mix sends the synthesiser a bounded number of messages. Music comes nowhere near the
// limits: a chord is a few notes, a channel's set-up a dozen controllers.
#include <vector>

#include "platform/audio/midi_file.h"

namespace audio {

// Note-ons a channel may start within one millisecond; a key struck again at the same instant
// counts as once.
inline constexpr int kMaxNoteOnsPerChannelMs = 32;
// Controllers, program changes, pressure and bends a channel may send within one millisecond.
inline constexpr int kMaxControlsPerChannelMs = 64;

// Drops, in time order: note-ons and controls past the limits, and note-offs of keys not
// sounding (so that note-offs are bounded by note-ons). Every note kept keeps its note-off.
void ThinFloods(std::vector<MidiEvent>& events);

}  // namespace audio
