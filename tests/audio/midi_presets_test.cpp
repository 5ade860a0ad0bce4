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
    const Case cases[] = {
        {"no program changes", {At(0x90, 60, 100)}, {{0, 0}}},
        {"notes on the drum channel before a kit is chosen", {At(0x99, 36, 90)}, {{128, 0}}},
        {"no notes", {At(0xB0, 7, 100)}, {}},
        {"a note-on with no velocity is a note-off", {At(0x93, 60, 0), At(0xC3, 5)}, {{0, 5}}},
        {"programs on two channels",
         {At(0xC0, 40), At(0xC3, 73), At(0xC0, 40)},
         {{0, 40}, {0, 73}}},
        {"a note before the program change keeps the first instrument",
         {At(0x90, 60, 100), At(0xC0, 40)},
         {{0, 0}, {0, 40}}},
        {"a bank select applies to later program changes",
         {At(0xC1, 5), At(0xB1, 0, 8), At(0xC1, 6), At(0xC2, 7)},
         // a seek sends the bank select and the program as they stand: bank 8, program 5
         {{0, 5}, {0, 7}, {8, 5}, {8, 6}}},
        {"a bank select before any program matters only to a channel already playing",
         {At(0xB1, 0, 8), At(0xB2, 0, 8), At(0x92, 60, 100), At(0xC1, 3)},
         {{0, 0}, {8, 0}, {8, 3}}},
        {"the drum channel takes kits from the percussion bank whatever the bank select",
         {At(0xB9, 0, 3), At(0xC9, 25)},
         {{128, 25}}},
        {"the fine bank select is not the bank",
         {At(0xB0, 32, 9), At(0xC0, 1)},
         {{0, 1}}},
    };
    for (const Case& song : cases) {
        SCOPED_TRACE(song.name);
        EXPECT_EQ(audio::PresetsUsed(audio::MidiSong{song.events, 0}), song.presets);
    }
}

}  // namespace
