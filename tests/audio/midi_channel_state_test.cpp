// The channel state a seek sends again: what the song set up to that point, per channel.
#include "platform/audio/midi_channel_state.h"

#include <gtest/gtest.h>

namespace {

using audio::ApplyToState;
using audio::SongState;

SongState After(std::initializer_list<std::array<std::uint8_t, 3>> messages) {
    SongState state;
    for (const auto& m : messages) ApplyToState(state, m[0], m[1], m[2]);
    return state;
}

TEST(MidiChannelState, KeepsProgramsControllersBendAndPressurePerChannel) {
    const SongState state = After({{0xC3, 40, 0},
                                   {0xB3, 7, 90},
                                   {0xB3, 0, 1},
                                   {0xE3, 0x10, 0x50},
                                   {0xD3, 33, 0},
                                   {0xC3, 41, 0}});
    EXPECT_EQ(state[3].program, 41);
    EXPECT_EQ(state[3].controllers[7], 90);
    EXPECT_TRUE(state[3].controllerSet.test(0));
    EXPECT_EQ(state[3].bend, 0x10 | 0x50 << 7);
    EXPECT_EQ(state[3].pressure, 33);
    EXPECT_EQ(state[0].program, 0);
    EXPECT_FALSE(state[0].controllerSet.any());
}

TEST(MidiChannelState, BendRangeComesFromRegisteredParameterZeroOnly) {
    EXPECT_EQ(After({{0xB0, 101, 0}, {0xB0, 100, 0}, {0xB0, 6, 12}})[0].bendRange, 12);
    EXPECT_EQ(After({{0xB0, 101, 0}, {0xB0, 100, 1}, {0xB0, 6, 12}})[0].bendRange, 2);
    EXPECT_EQ(After({{0xB0, 6, 12}})[0].bendRange, 2);
    // Parameter selection and data entry are not sent again as controllers.
    EXPECT_FALSE(After({{0xB0, 101, 0}, {0xB0, 6, 12}})[0].controllerSet.any());
}

TEST(MidiChannelState, ResetAllControllersClearsWhatItResets) {
    const SongState state = After({{0xB5, 64, 127}, {0xB5, 7, 80}, {0xE5, 0, 0}, {0xB5, 121, 0}});
    EXPECT_FALSE(state[5].controllerSet.test(64));
    EXPECT_TRUE(state[5].controllerSet.test(7));  // volume survives a reset
    EXPECT_EQ(state[5].bend, 8192);
}

}  // namespace
