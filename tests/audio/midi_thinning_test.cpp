// Floods of messages are cut to what the synthesiser can take in a block; music passes whole.
#include "platform/audio/midi_thinning.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using audio::MidiEvent;

std::uint8_t On(int channel) {
    return std::uint8_t(0x90 | channel);
}
std::uint8_t Off(int channel) {
    return std::uint8_t(0x80 | channel);
}

// `count` events `stepUs` apart from `startUs`, keys (or controller values) rising from `first`.
std::vector<MidiEvent> Series(std::uint8_t status, int count, std::int64_t stepUs,
                              std::int64_t startUs = 0, int first = 0, std::uint8_t data2 = 100) {
    std::vector<MidiEvent> events;
    for (int i = 0; i < count; ++i)
        events.push_back({startUs + i * stepUs, status, std::uint8_t((first + i) % 128), data2});
    return events;
}

std::vector<MidiEvent> Join(std::initializer_list<std::vector<MidiEvent>> parts) {
    std::vector<MidiEvent> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Case {
    const char* name;
    std::vector<MidiEvent> events;
    std::size_t kept;
};

std::vector<MidiEvent> ChordsOnEveryChannel() {
    std::vector<MidiEvent> events;
    for (int channel = 0; channel < 16; ++channel) {
        const auto chord = Series(On(channel), 10, 0, 0, 40);
        events.insert(events.end(), chord.begin(), chord.end());
    }
    for (int channel = 0; channel < 16; ++channel) {
        const auto ends = Series(Off(channel), 10, 0, 500000, 40, 0);
        events.insert(events.end(), ends.begin(), ends.end());
    }
    return events;
}

TEST(MidiThinning, FloodsAreCutAndMusicPassesWhole) {
    constexpr std::size_t kNotes = audio::kMaxNoteOnsPerChannelMs;
    constexpr std::size_t kControls = audio::kMaxControlsPerChannelMs;
    const Case cases[] = {
        {"65,535 note-ons at one instant", Series(On(0), 65535, 0), kNotes},
        {"a note-on every 10 microseconds for 10 ms", Series(On(0), 1000, 10), 10 * kNotes},
        {"the same key five times at once", std::vector<MidiEvent>(5, MidiEvent{0, On(3), 60, 100}),
         1},
        {"a ten-note chord on every channel, and its ends", ChordsOnEveryChannel(), 320},
        {"a run of a note a millisecond, and its ends",
         Join({Series(On(0), 200, 1000), Series(Off(0), 200, 1000, 500)}), 400},
        {"65,535 volume changes at one instant", Series(0xB0, 65535, 0, 0, 7), kControls},
        {"pitch bends every 10 microseconds for 10 ms", Series(0xE0, 1000, 10), 10 * kControls},
        {"note-offs of a key never struck", Series(Off(0), 1000, 0, 0, 60, 0), 0},
        {"note-offs of notes dropped from a flood",
         Join({Series(On(0), 100, 0), Series(Off(0), 100, 0, 1000)}), 2 * kNotes},
        {"a note-on of velocity 0 ends a note",
         Join({Series(On(0), 1, 0, 0, 60), Series(On(0), 2, 0, 1000, 60, 0)}), 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto events = test.events;
        audio::ThinFloods(events);
        EXPECT_EQ(events.size(), test.kept);
    }
}

}  // namespace
