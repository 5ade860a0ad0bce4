// Reading songs exact to the microsecond or refusing them, and what is made of what they hold.
#include "platform/audio/midi_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/audio/midi_presets.h"
#include "platform/audio/midi_thinning.h"
#include "tests/support/sound_files.h"

namespace {

using audio::MidiEvent;
using audio::MidiParseError;
using audio::ParseMidi;
using sound_files::MakeSmf;
using sound_files::MidiTrack;

// Each event as its time, status and first data byte.
using Heard = std::vector<std::tuple<std::int64_t, int, int>>;

Heard HeardIn(const audio::MidiSong& song) {
    Heard heard;
    for (const auto& event : song.events)
        heard.emplace_back(event.timeUs, event.status, event.data1);
    return heard;
}

struct Song {
    const char* name;
    std::string bytes;
    Heard events;
    std::int64_t lengthUs;
};

TEST(MidiFile, SongsReadWithExactTimes) {
    const std::string song = sound_files::MakeSong(3);
    const Song cases[] = {
        // 96 ticks per quarter: half a second at 120 bpm, then a second per quarter at 60 bpm.
        {"tempo changes",
         MakeSmf(0, 96,
                 {MidiTrack()
                      .Tempo(0, 500000)
                      .Event(0, {0x90, 60, 100})
                      .Tempo(96, 1000000)
                      .Event(0, {0x80, 60, 0})
                      .Event(96, {0x90, 62, 100})
                      .Event(48, {0x80, 62, 0})
                      .End(48)}),
         {{0, 0x90, 60}, {500000, 0x80, 60}, {1500000, 0x90, 62}, {2000000, 0x80, 62}},
         2500000},
        {"running status and system exclusive",
         MakeSmf(0, 500,
                 {MidiTrack()  // 120 bpm: 1 ms per tick
                      .Event(0, {0x91, 60, 100})
                      .Event(10, {62, 90})  // running status
                      .SysEx(10, 20)        // skipped, and it cancels running status
                      .Event(10, {0xB1, 7, 80})
                      .Event(10, {10, 64})  // running status again
                      .Event(10, {0xC1, 5})
                      .Event(10, {6})  // one data byte under running status
                      .End(0)}),
         {{0, 0x91, 60},
          {10000, 0x91, 62},
          {30000, 0xB1, 7},
          {40000, 0xB1, 10},
          {50000, 0xC1, 5},
          {60000, 0xC1, 6}},
         60000},
        // At equal times the earlier track comes first; the tempo track's end is the longest.
        {"format 1",
         MakeSmf(1, 100,
                 {MidiTrack().Tempo(0, 250000).End(2000),
                  MidiTrack().Event(0, {0x90, 60, 100}).Event(100, {0x80, 60, 0}).End(0),
                  MidiTrack().Event(50, {0x91, 64, 100}).Event(50, {0x81, 64, 0}).End(0)}),
         {{0, 0x90, 60}, {125000, 0x91, 64}, {250000, 0x80, 60}, {250000, 0x81, 64}},
         5000000},
        // 25 frames per second, 40 ticks per frame: 1000 ticks per second, whatever the tempo.
        {"SMPTE division",
         MakeSmf(0, std::uint16_t(0xE728),
                 {MidiTrack().Tempo(0, 2000000).Event(500, {0x90, 60, 100}).End(500)}),
         {{500000, 0x90, 60}},
         1000000},
        {"RMID", sound_files::MakeRmid(song), HeardIn(ParseMidi(song).song), 3000000},
    };
    for (const Song& file : cases) {
        SCOPED_TRACE(file.name);
        const auto result = ParseMidi(file.bytes);
        ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
        EXPECT_EQ(HeardIn(result.song), file.events);
        EXPECT_EQ(result.song.lengthUs, file.lengthUs);
    }
}

// NoteSong(8) holds 22 bytes of headers, a program change, then 9 bytes a note.
const std::string kEightNotes = sound_files::NoteSong(8);

TEST(MidiFile, ASongCutShortPlaysTheNotesItHolds) {
    const auto result = ParseMidi(kEightNotes.substr(0, 25 + 3 * 9 + 4));  // a fourth started
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    EXPECT_EQ(result.song.lengthUs, 1500000);
}

TEST(MidiFile, ANoteFloodIsThinnedAsItIsRead) {
    MidiTrack flood;
    flood.Event(0, {0x90, 0, 100});
    for (int i = 1; i < 65535; ++i) flood.Event(0, {std::uint8_t(i % 128), 100});
    const auto result = ParseMidi(MakeSmf(0, 96, {flood.End(96)}));
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    EXPECT_EQ(result.song.events.size(), std::size_t(audio::kMaxNoteOnsPerChannelMs));
}

std::string TooManyEvents() {
    MidiTrack track;
    track.Event(0, {0x90, 60, 100});
    for (std::size_t i = 0; i < audio::kMaxMidiEvents; ++i) track.Event(0, {60, 0});
    return MakeSmf(0, 96, {track.End(0)});
}

std::string EndlessSong() {
    MidiTrack track;
    track.Tempo(0, 0xFFFFFF);
    for (int i = 0; i < 4; ++i) track.Event(0x0FFFFFFF, {0x90, 60, 100});
    return MakeSmf(0, 1, {track.End(0)});
}

TEST(MidiFile, BrokenFilesAreRefused) {
    const std::vector<MidiTrack> ended = {MidiTrack().End(0)};
    const std::tuple<const char*, std::string, MidiParseError> cases[] = {
        {"format 2", MakeSmf(2, 96, ended), MidiParseError::InvalidFormat},
        {"no division", MakeSmf(0, 0, ended), MidiParseError::InvalidFormat},
        {"bad SMPTE rate", MakeSmf(0, 0x8028, ended), MidiParseError::InvalidFormat},
        {"header only", MakeSmf(0, 96, ended).substr(0, 14), MidiParseError::InvalidFormat},
        {"cut after the track header", kEightNotes.substr(0, 22), MidiParseError::InvalidFormat},
        {"cut inside the first note", kEightNotes.substr(0, 30), MidiParseError::InvalidFormat},
        {"RMID without data", std::string("RIFF\4\0\0\0RMIDLIST\0\0\0\0", 20),
         MidiParseError::InvalidFormat},
        {"too many events", TooManyEvents(), MidiParseError::TooLarge},
        {"days long", EndlessSong(), MidiParseError::TooLarge},
        {"oversized", std::string(audio::kMaxMidiFileBytes + 1, 'M'), MidiParseError::TooLarge},
    };
    for (const auto& [name, bytes, error] : cases) {
        SCOPED_TRACE(name);
        const auto result = ParseMidi(bytes);
        EXPECT_EQ(result.error, error);
        EXPECT_FALSE(result.detail.empty());
        EXPECT_TRUE(result.song.events.empty());
        EXPECT_EQ(result.song.lengthUs, 0);
    }
}

MidiEvent At(std::uint8_t status, std::uint8_t data1, std::uint8_t data2 = 0) {
    return {0, status, data1, data2};
}

TEST(MidiPresets, EverySelectionASongCanMakeIsFound) {
    const std::tuple<const char*, std::vector<MidiEvent>, std::vector<audio::Preset>> cases[] = {
        {"no program changes", {At(0x90, 60, 100)}, {{0, 0}}},
        {"notes on the drum channel before a kit is chosen", {At(0x99, 36, 90)}, {{128, 0}}},
        {"no notes", {At(0xB0, 7, 100)}, {}},
        {"a note-on with no velocity is a note-off", {At(0x93, 60, 0), At(0xC3, 5)}, {{0, 5}}},
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
        {"the fine bank select is not the bank", {At(0xB0, 32, 9), At(0xC0, 1)}, {{0, 1}}},
    };
    for (const auto& [name, events, presets] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(audio::PresetsUsed(audio::MidiSong{events, 0}), presets);
    }
}

// `count` events `stepUs` apart from `startUs`, keys rising from `first`.
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

TEST(MidiThinning, FloodsAreCutAndMusicPassesWhole) {
    constexpr std::size_t kNotes = audio::kMaxNoteOnsPerChannelMs;
    constexpr std::size_t kControls = audio::kMaxControlsPerChannelMs;
    const std::tuple<const char*, std::vector<MidiEvent>, std::size_t> cases[] = {
        {"a note-on every 10 microseconds for 10 ms", Series(0x90, 1000, 10), 10 * kNotes},
        {"the same key five times at once", std::vector<MidiEvent>(5, MidiEvent{0, 0x93, 60, 100}),
         1},
        {"a full instant on the first and last channels",
         Join({Series(0x90, int(kNotes), 0), Series(0x9F, int(kNotes), 0)}), 2 * kNotes},
        {"a run of a note a millisecond, and its ends",
         Join({Series(0x90, 200, 1000), Series(0x80, 200, 1000, 500)}), 400},
        {"65,535 volume changes at one instant", Series(0xB0, 65535, 0, 0, 7), kControls},
        {"note-offs of a key never struck", Series(0x80, 1000, 0, 0, 60, 0), 0},
        {"note-offs of notes dropped from a flood",
         Join({Series(0x90, 100, 0), Series(0x80, 100, 0, 1000)}), 2 * kNotes},
        {"a note-on of velocity 0 ends a note",
         Join({Series(0x90, 1, 0, 0, 60), Series(0x90, 2, 0, 1000, 60, 0)}), 2},
    };
    for (auto [name, events, kept] : cases) {
        SCOPED_TRACE(name);
        audio::ThinFloods(events);
        EXPECT_EQ(events.size(), kept);
    }
}

}  // namespace
