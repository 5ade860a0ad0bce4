#pragma once
// What a song has set up on its 16 channels by some point (programs, controllers, pitch bend),
// so that a seek can send it again before playing on from there.
#include <array>
#include <bitset>
#include <cstdint>

#include "platform/audio/midi_file.h"

namespace audio {

struct ChannelState {
    std::uint8_t program = 0;
    bool programChosen = false;  // a program change has come
    // The song plays notes on the channel before choosing a program: the channel's first
    // instrument is part of the song. Otherwise the channel holds no instrument until chosen.
    bool playsFirstInstrument = false;
    std::uint8_t pressure = 0;
    std::uint16_t bend = 8192;
    std::uint8_t bendRange = 2;  // semitones, set through registered parameter 0
    std::uint8_t rpnMsb = 127;
    std::uint8_t rpnLsb = 127;
    std::array<std::uint8_t, 128> controllers{};
    std::bitset<128> controllerSet;
};

using SongState = std::array<ChannelState, 16>;

void ApplyToState(SongState& state, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);

// Controllers worth sending again: not data entry or parameter selection (their effect is
// kept as bendRange), not channel-mode messages.
bool IsRestorableController(int controller);

}  // namespace audio
