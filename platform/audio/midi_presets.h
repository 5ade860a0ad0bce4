#pragma once
// The instruments a song selects: every bank and program its channels may hold while it plays
// or after a seek, so that they can be made ready before the song starts.
#include <bitset>
#include <compare>
#include <vector>

#include "platform/audio/midi_file.h"

namespace audio {

struct Preset {
    int bank;
    int program;
    auto operator<=>(const Preset&) const = default;
};

inline constexpr int kDrumChannel = 9;
inline constexpr int kDrumBank = 128;

// The channels that sound a note before any program change on them: they play the instrument
// every channel starts with (program 0, and the standard kit on the drum channel).
std::bitset<16> ChannelsOnFirstInstrument(const MidiSong& song);

// Sorted, without repeats. The first instruments are among them only for the channels that
// play them.
std::vector<Preset> PresetsUsed(const MidiSong& song);

}  // namespace audio
