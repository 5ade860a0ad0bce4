// The synthesiser: which soundfont loads and when, what it says, and songs that try it hard.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <thread>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/midi_file.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "platform/audio/synth_log.h"
#include "platform/audio/synth_reads.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/soundfont_file.h"
#include "tests/support/temp_folder.h"

namespace {

using sound_files::MidiTrack;

const std::string kCorruptFont = "RIFF" + std::string(400, '\x7f');

class SynthTest : public audio_test::OfflineEngineTest {
  protected:
    test_support::TempFolder dir_;
};

struct Fonts {
    const char* name;
    std::string defaultGm;  // empty: no such file
    std::string fluidR3;
    std::string timGm6mb;
    const char* loaded;  // null: none loads
};

TEST(Soundfont, AFontThatDoesNotLoadGivesWayToTheNext) {
    const std::string valid = sound_files::MakeSoundfont();
    const std::string truncated = valid.substr(0, valid.size() / 2);
    const Fonts cases[] = {
        {"all load", valid, valid, valid, "default-GM.sf2"},
        {"corrupt and truncated", kCorruptFont, truncated, valid, "TimGM6mb.sf2"},
        {"none loads", kCorruptFont, truncated, "", nullptr},
    };
    for (const Fonts& fonts : cases) {
        SCOPED_TRACE(fonts.name);
        test_support::TempFolder dir;
        for (const auto& [name, bytes] : {std::pair{"default-GM.sf2", fonts.defaultGm},
                                          {"FluidR3_GM.sf2", fonts.fluidR3},
                                          {"TimGM6mb.sf2", fonts.timGm6mb}})
            if (!bytes.empty()) dir.Write(name, bytes);
        const audio::MidiSynth synth(44100, audio::FindSoundfonts({dir.path()}));
        EXPECT_EQ(synth.Ready(), fonts.loaded != nullptr);
        EXPECT_EQ(synth.Soundfont(),
                  fonts.loaded ? dir.path() / fonts.loaded : std::filesystem::path());
    }
}

// Debian's SF3 (MuseScore's), read through libsndfile, when it is installed.
TEST(Soundfont, TheSystemsSf3Loads) {
    const std::filesystem::path sf3 = "/usr/share/sounds/sf3/default-GM.sf3";
    if (!std::filesystem::exists(sf3)) GTEST_SKIP() << "no SF3 installed";
    EXPECT_TRUE(audio::MidiSynth(44100, {sf3}).Ready());
}

// Debug and information messages are dropped, and FluidSynth formats a message only for a
// level that has a handler: the audio thread logs at debug level on every program change.
TEST(Soundfont, OnlyTheMessagesKeptHaveAHandler) {
    audio::InstallSynthLog();
    for (const auto& [level, kept] : {std::pair{FLUID_PANIC, true},
                                      {FLUID_ERR, true},
                                      {FLUID_WARN, true},
                                      {FLUID_INFO, false},
                                      {FLUID_DBG, false}}) {
        const fluid_log_function_t handler = fluid_set_log_function(level, nullptr, nullptr);
        fluid_set_log_function(level, handler, nullptr);
        EXPECT_EQ(handler != nullptr, kept) << "level " << level;
    }
}

TEST_F(SynthTest, TheSoundfontLoadsWithTheFirstSongNotBefore) {
    ASSERT_EQ(
        audio::LoadWaveFile(dir_.Write("t.wav", sound_files::MakeWave({.frames = 100}))).error,
        audio::LoadError::None);
    EXPECT_EQ(audio::LoadMidiFile(dir_.Write("bad.mid", "MThd")).error,
              audio::LoadError::InvalidFormat);
    EXPECT_FALSE(audio::MidiSynth::Loaded());
    const auto song = audio::LoadMidiFile(dir_.Write("s.mid", sound_files::MakeSong(1)));
    ASSERT_EQ(song.error, audio::LoadError::None) << song.detail;
    EXPECT_TRUE(audio::MidiSynth::Loaded());
    EXPECT_EQ(song.clip->OutputLine(), audio::Line::Midi);
}

TEST_F(SynthTest, WithNoUsableFontASongSaysWhyAndAnSf3PutThereLaterLoads) {
    if (audio::MidiSynth::Loaded()) GTEST_SKIP() << "a soundfont is loaded in this process";
    test_support::TempFolder fonts;
    audio::MidiSynth::UseSoundfontDirectory(fonts.path());
    const auto songFile = dir_.Write("s.mid", sound_files::MakeSong(1));
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto song = audio::LoadMidiFile(songFile);
        EXPECT_EQ(song.error, audio::LoadError::NoSoundfont);
        EXPECT_NE(song.detail.find("fluid-soundfont-gm"), std::string::npos) << song.detail;
    }
    EXPECT_EQ(std::ranges::count(testing::internal::GetCapturedStderr(), '\n'), 1)
        << "what to install, said once";
    fonts.Write("default-GM.sf2", kCorruptFont);
    const auto song = audio::LoadMidiFile(songFile);
    EXPECT_EQ(song.error, audio::LoadError::NoSoundfont);
    EXPECT_NE(song.detail.find(fonts.path().string()), std::string::npos) << song.detail;
    fonts.Write("default-GM.sf3", sound_files::MakeSoundfont());
    ASSERT_TRUE(audio::LoadMidiFile(songFile).clip) << "an SF3 put there later";
    EXPECT_EQ(audio::MidiSynth::Shared(nullptr, nullptr)->Soundfont(),
              fonts.path() / "default-GM.sf3");
}

// With no file left to open, a song says that, not that a soundfont is missing.
TEST(SoundfontLimit, UnderAFileLimitASongSaysWhatWasShort) {
    test_support::TempFolder dir;
    const auto songFile = dir.Write("s.mid", sound_files::MakeSong(1));
    const auto loadWithNoFileLeft = [&] {
        // Once with files to spare, so the sanitizers' first checks (which read /proc) are done.
        audio::LoadMidiFile(songFile);
        const int lowestFree = dup(0);
        close(lowestFree);
        const rlimit limit{rlim_t(lowestFree), rlim_t(lowestFree)};
        setrlimit(RLIMIT_NOFILE, &limit);
        const bool saysSo = audio::LoadMidiFile(songFile).error == audio::LoadError::TooManyFiles;
        std::_Exit(saysSo ? 0 : 1);
    };
    EXPECT_EXIT(loadWithNoFileLeft(), testing::ExitedWithCode(0), "");
}

// A million short notes: as many events as a file may hold.
TEST_F(SynthTest, TheLargestSongAllowedOpensAndSeeks) {
    MidiTrack track;
    track.Event(0, {0x90, 60, 100}).Event(1, {0x80, 60, 0});
    for (std::size_t i = 2; i < audio::kMaxMidiEvents; i += 2)
        track.Event(1, {0x90, std::uint8_t(i % 128), 100})
            .Event(1, {0x80, std::uint8_t(i % 128), 0});
    const auto song = dir_.Write("large.mid", sound_files::MakeSmf(0, 480, {track.End(0)}));
    const auto clip = audio::LoadMidiFile(song).clip;
    ASSERT_TRUE(clip);
    audio::Player player(clip);
    player.Play(clip->LengthMs() - 1000, std::nullopt, false);
    EXPECT_GT(sound_files::Peak(Pull(4410)), 0.0f);
}

// Notes every 50 ms on four channels and the drums for ten seconds; from the fourth on, each step
// also changes every channel's program and bank (those a GM font lacks, and the kits' high ones).
std::string ChangingSong() {
    constexpr std::uint8_t kBanks[] = {0, 8, 16, 120, 127, 1};
    const auto key = [](int channel, int step) {
        return std::uint8_t(channel == 9 ? 36 + step % 20 : 48 + 5 * channel + step % 12);
    };
    MidiTrack track;
    for (int step = 0; step < 200; ++step) {
        for (int channel : {0, 1, 2, 3, 9}) {
            if (step >= 80) {
                track.Event(0, {std::uint8_t(0xB0 | channel), 0, kBanks[(step + channel) % 6]});
                track.Event(0, {std::uint8_t(0xC0 | channel),
                                std::uint8_t((step * 7 + channel * 13) % 128)});
            }
            track.Event(0, {std::uint8_t(0x90 | channel), key(channel, step), 100});
        }
        for (int channel : {0, 1, 2, 3, 9})
            track.Event(channel == 0 ? 48 : 0,
                        {std::uint8_t(0x80 | channel), key(channel, step), 0});
    }
    return sound_files::MakeSmf(0, 480, {track.End(0)});
}

TEST_F(SynthTest, ChangingBankAndProgramMidSongLoadsNothingWhilePlayingNorDropsOut) {
    const auto song = audio::LoadMidiFile(dir_.Write("changing.mid", ChangingSong()));
    ASSERT_TRUE(song.clip) << song.detail;
    const long readsBefore = audio::SoundfontReadsOnAudioThread();
    audio::Player player(song.clip);
    player.Play(std::nullopt, std::nullopt, false);
    for (int frame = 0; frame < 9 * 44100; frame += 512) {
        const std::vector<float> block = Pull(512);
        if (frame < 4410) continue;
        ASSERT_GT(sound_files::Peak(block), 0.0f) << "silent at frame " << frame;
    }
    EXPECT_EQ(audio::SoundfontReadsOnAudioThread(), readsBefore);
}

// With no other song open, nothing else needs the synthesiser: it reads what the song lacks
// itself, without reading the soundfont's index again, so a song that brings no new instrument
// reads nothing.
TEST_F(SynthTest, ASongOpenedAloneReadsOnlyTheInstrumentsItLacks) {
    const auto path = dir_.Write("gm.mid", sound_files::MakeGmSong(1, 0));
    ASSERT_TRUE(audio::LoadMidiFile(path).clip);
    const long readsBefore = audio::SoundfontReads();
    ASSERT_TRUE(audio::LoadMidiFile(path).clip);
    EXPECT_EQ(audio::SoundfontReads(), readsBefore);
}

// Another song open may be playing: the instruments are read before the synthesiser is taken
// from it.
TEST_F(SynthTest, ASongReadsItsInstrumentsWhileTheSynthesiserIsPlaying) {
    const auto open = audio::LoadMidiFile(dir_.Write("gm.mid", sound_files::MakeGmSong(1, 0)));
    ASSERT_TRUE(open.clip);
    auto& synth = *audio::MidiSynth::Shared(nullptr, nullptr);
    std::optional<audio::SynthAccess::AudioTurn> playing(std::in_place, synth.Access());
    const long readsBefore = audio::SoundfontReads();
    std::thread opening([&] { audio::LoadMidiFile(dir_.Write("changing.mid", ChangingSong())); });
    EXPECT_TRUE(audio_test::Eventually([&] { return audio::SoundfontReads() > readsBefore; }));
    playing.reset();
    opening.join();
}

}  // namespace
