// The instruments a song is found to select, which are all that is loaded of the soundfont.
#include "platform/audio/midi_presets.h"

#include <gtest/gtest.h>

namespace {

using audio::Preset;

struct Case {
    const char* name;
    std::vector<audio::MidiEvent> events;
    std::vector<Preset> presets;
};

audio::MidiEvent At(std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0) {
    return {0, status, data1, data2};
}

TEST(MidiPresets, EverySelectionASongCanMakeIsFound) {
    const std::vector<Preset> defaults = {{0, 0}, {128, 0}};
    const Case cases[] = {
        {"no program changes", {At(0x90, 60, 100)}, defaults},
        {"programs on two channels",
         {At(0xC0, 40), At(0xC3, 73), At(0xC0, 40)},
         {{0, 0}, {0, 40}, {0, 73}, {128, 0}}},
        {"a bank select applies to later program changes",
         {At(0xC1, 5), At(0xB1, 0, 8), At(0xC1, 6), At(0xC2, 7)},
         // a seek sends the bank select and the program as they stand: bank 8, program 5
         {{0, 0}, {0, 5}, {0, 7}, {8, 5}, {8, 6}, {128, 0}}},
        {"the drum channel takes kits from the percussion bank whatever the bank select",
         {At(0xB9, 0, 3), At(0xC9, 25)},
         {{0, 0}, {128, 0}, {128, 25}}},
        {"the fine bank select is not the bank",
         {At(0xB0, 32, 9), At(0xC0, 1)},
         {{0, 0}, {0, 1}, {128, 0}}},
    };
    for (const Case& song : cases) {
        SCOPED_TRACE(song.name);
        EXPECT_EQ(audio::PresetsUsed(audio::MidiSong{song.events, 0}), song.presets);
    }
}

}  // namespace
