// The MIDI reader: exact times through tempo changes, running status, system exclusive
// messages, both file formats and the RMID wrapper, and refusal of broken or hostile files.
#include "platform/audio/midi_file.h"

#include <gtest/gtest.h>

#include "platform/audio/midi_thinning.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::MidiParseError;
using audio::ParseMidi;
using sound_files::MakeRmid;
using sound_files::MakeSmf;
using sound_files::MidiTrack;

std::vector<std::int64_t> TimesOf(const audio::MidiSong& song) {
    std::vector<std::int64_t> times;
    for (const auto& event : song.events) times.push_back(event.timeUs);
    return times;
}

TEST(MidiFile, TempoChangesGiveExactTimes) {
    // 96 ticks per quarter: half a second at 120 bpm, then one second per quarter at 60 bpm.
    MidiTrack track;
    track.Tempo(0, 500000)
        .Event(0, {0x90, 60, 100})
        .Tempo(96, 1000000)
        .Event(0, {0x80, 60, 0})
        .Event(96, {0x90, 62, 100})
        .Event(48, {0x80, 62, 0})
        .End(48);
    const auto result = ParseMidi(MakeSmf(0, 96, {track}));
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    EXPECT_EQ(TimesOf(result.song), (std::vector<std::int64_t>{0, 500000, 1500000, 2000000}));
    EXPECT_EQ(result.song.lengthUs, 2500000);
}

TEST(MidiFile, RunningStatusAndSystemExclusive) {
    MidiTrack track;
    track.Event(0, {0x91, 60, 100})
        .Event(10, {62, 90})  // running status
        .SysEx(10, 20)        // skipped, and it cancels running status
        .Event(10, {0xB1, 7, 80})
        .Event(10, {10, 64})  // running status again
        .Event(10, {0xC1, 5})
        .Event(10, {6})  // one data byte under running status
        .End(0);
    const auto result = ParseMidi(MakeSmf(0, 500, {track}));  // 120 bpm: 1 ms per tick
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    const auto& events = result.song.events;
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[1].status, 0x91);
    EXPECT_EQ(events[1].data1, 62);
    EXPECT_EQ(events[1].timeUs, 10000);
    EXPECT_EQ(events[2].timeUs, 30000);
    EXPECT_EQ(events[3].status, 0xB1);
    EXPECT_EQ(events[3].data1, 10);
    EXPECT_EQ(events[5].status, 0xC1);
    EXPECT_EQ(events[5].data1, 6);
}

TEST(MidiFile, FormatOneMergesTracksInTimeOrder) {
    MidiTrack tempo;
    tempo.Tempo(0, 250000).End(2000);
    MidiTrack first;
    first.Event(0, {0x90, 60, 100}).Event(100, {0x80, 60, 0}).End(0);
    MidiTrack second;
    second.Event(50, {0x91, 64, 100}).Event(50, {0x81, 64, 0}).End(0);
    const auto result = ParseMidi(MakeSmf(1, 100, {tempo, first, second}));
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    const auto& events = result.song.events;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(TimesOf(result.song), (std::vector<std::int64_t>{0, 125000, 250000, 250000}));
    // At equal times the earlier track comes first.
    EXPECT_EQ(events[2].status, 0x80);
    EXPECT_EQ(events[3].status, 0x81);
    EXPECT_EQ(result.song.lengthUs, 5000000);  // the tempo track's end is the longest
}

TEST(MidiFile, SmpteDivisionIgnoresTempo) {
    MidiTrack track;
    track.Tempo(0, 2000000).Event(500, {0x90, 60, 100}).End(500);
    // 25 frames per second, 40 ticks per frame: 1000 ticks per second.
    const auto result = ParseMidi(MakeSmf(0, std::uint16_t(0xE728), {track}));
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    EXPECT_EQ(result.song.events.at(0).timeUs, 500000);
    EXPECT_EQ(result.song.lengthUs, 1000000);
}

TEST(MidiFile, RmidHoldsTheSameSong) {
    const std::string smf = sound_files::MakeSong(3);
    const auto plain = ParseMidi(smf);
    const auto wrapped = ParseMidi(MakeRmid(smf));
    ASSERT_EQ(wrapped.error, MidiParseError::None) << wrapped.detail;
    EXPECT_EQ(TimesOf(wrapped.song), TimesOf(plain.song));
    EXPECT_EQ(wrapped.song.lengthUs, 3000000);
}

TEST(MidiFile, TruncatedTrackKeepsWhatCameBefore) {
    std::string smf = sound_files::MakeSong(2);
    const auto whole = ParseMidi(smf);
    smf.resize(smf.size() - 9);  // the chunk length now claims more than there is
    const auto cut = ParseMidi(smf);
    ASSERT_EQ(cut.error, MidiParseError::None) << cut.detail;
    EXPECT_LT(cut.song.events.size(), whole.song.events.size());
    EXPECT_GT(cut.song.events.size(), 0u);
}

struct CutShort {
    const char* name;
    std::size_t bytes;  // of NoteSong(8): 22 bytes of headers, a program change, 9 bytes a note
    MidiParseError error;
    std::int64_t lengthUs;
};

TEST(MidiFile, CutShortFilesPlayWhatTheyHold) {
    const std::string whole = sound_files::NoteSong(8);
    const CutShort cases[] = {
        {"track header only", 22, MidiParseError::InvalidFormat, 0},
        {"before the first note", 25, MidiParseError::InvalidFormat, 0},
        {"inside the first note", 30, MidiParseError::InvalidFormat, 0},
        {"after three notes", 25 + 3 * 9, MidiParseError::None, 1500000},
        {"a fourth note started", 25 + 3 * 9 + 4, MidiParseError::None, 1500000},
        {"whole", whole.size(), MidiParseError::None, 4000000},
    };
    for (const CutShort& cut : cases) {
        SCOPED_TRACE(cut.name);
        const auto result = ParseMidi(whole.substr(0, cut.bytes));
        EXPECT_EQ(result.error, cut.error) << result.detail;
        EXPECT_EQ(result.song.lengthUs, cut.lengthUs);
    }
}

TEST(MidiFile, ANoteFloodIsThinnedAsItIsRead) {
    MidiTrack flood;
    flood.Event(0, {0x90, 0, 100});
    for (int i = 1; i < 65535; ++i) flood.Event(0, {std::uint8_t(i % 128), 100});
    const auto result = ParseMidi(MakeSmf(0, 96, {flood.End(96)}));
    ASSERT_EQ(result.error, MidiParseError::None) << result.detail;
    EXPECT_EQ(result.song.events.size(), std::size_t(audio::kMaxNoteOnsPerChannelMs));
}

struct BrokenFile {
    const char* name;
    std::string bytes;
    MidiParseError error;
};

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

std::string WithHeader(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    std::string smf = MakeSmf(0, 96, {MidiTrack().End(0)});
    smf[8] = char(format >> 8), smf[9] = char(format);
    smf[10] = char(tracks >> 8), smf[11] = char(tracks);
    smf[12] = char(division >> 8), smf[13] = char(division);
    return smf;
}

TEST(MidiFile, BrokenFilesAreRefused) {
    const BrokenFile cases[] = {
        {"empty", "", MidiParseError::InvalidFormat},
        {"text", "this is not a song at all", MidiParseError::InvalidFormat},
        {"short header", std::string("MThd\0\0\0\6\0\0", 10), MidiParseError::InvalidFormat},
        {"format 2", WithHeader(2, 1, 96), MidiParseError::InvalidFormat},
        {"no tracks", WithHeader(0, 0, 96), MidiParseError::InvalidFormat},
        {"no division", WithHeader(0, 1, 0), MidiParseError::InvalidFormat},
        {"bad SMPTE rate", WithHeader(0, 1, 0x8028), MidiParseError::InvalidFormat},
        {"header only", WithHeader(0, 1, 96).substr(0, 14), MidiParseError::InvalidFormat},
        {"RMID without data", std::string("RIFF\4\0\0\0RMIDLIST\0\0\0\0", 20),
         MidiParseError::InvalidFormat},
        {"too many events", TooManyEvents(), MidiParseError::TooLarge},
        {"days long", EndlessSong(), MidiParseError::TooLarge},
        {"oversized", std::string(audio::kMaxMidiFileBytes + 1, 'M'), MidiParseError::TooLarge},
    };
    for (const BrokenFile& file : cases) {
        SCOPED_TRACE(file.name);
        const auto result = ParseMidi(file.bytes);
        EXPECT_EQ(result.error, file.error);
        EXPECT_FALSE(result.detail.empty());
        EXPECT_TRUE(result.song.events.empty());
    }
}

}  // namespace
