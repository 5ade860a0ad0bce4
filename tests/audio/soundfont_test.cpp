// The soundfont: found by preference, the next one tried when one does not load, and loaded
// only when the first song loads.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <set>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/synth_log.h"
#include "stderr_lines.h"
#include "tests/support/sound_files.h"
#include "tests/support/soundfont_file.h"
#include "tests/support/temp_folder.h"

namespace {

using Paths = std::vector<std::filesystem::path>;

TEST(Soundfont, FoundInOrderOfPreference) {
    test_support::TempFolder dir;
    const Paths folders = {dir.path() / "sf2", dir.path() / "sf3"};
    EXPECT_EQ(audio::FindSoundfonts(folders), Paths{});
    dir.Write("sf2/TimGM6mb.sf2", "x");
    dir.Write("sf2/FluidR3_GM.sf2", "x");
    dir.Write("sf2/other.sf2", "x");
    dir.Write("sf3/default-GM.sf3", "x");
    std::filesystem::create_directory(folders[0] / "default-GM.sf2");  // not a file
    EXPECT_EQ(audio::FindSoundfonts(folders),
              (Paths{folders[1] / "default-GM.sf3", folders[0] / "FluidR3_GM.sf2",
                     folders[0] / "TimGM6mb.sf2"}));
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

// Debian's SF3 (MuseScore's), read through libsndfile, when it is installed.
TEST(Soundfont, TheSystemsSf3Loads) {
    const std::filesystem::path sf3 = "/usr/share/sounds/sf3/default-GM.sf3";
    if (!std::filesystem::exists(sf3)) GTEST_SKIP() << "no SF3 installed";
    EXPECT_TRUE(audio::MidiSynth(44100, {sf3}).Ready());
}

struct Fonts {
    const char* name;
    std::string defaultGm;  // empty: no such file
    std::string fluidR3;
    std::string timGm6mb;
    const char* loaded;  // null: none loads
};

TEST(Soundfont, AFontThatDoesNotLoadGivesWayToTheNext) {
    const std::string valid = sound_files::MakeSoundfont();
    const std::string corrupt = "RIFF" + std::string(400, '\x7f');
    const std::string truncated = valid.substr(0, valid.size() / 2);
    const Fonts cases[] = {
        {"all load", valid, valid, valid, "default-GM.sf2"},
        {"corrupt default", corrupt, valid, valid, "FluidR3_GM.sf2"},
        {"corrupt and truncated", corrupt, truncated, valid, "TimGM6mb.sf2"},
        {"only the last, after a truncated one", "", truncated, valid, "TimGM6mb.sf2"},
        {"none loads", corrupt, truncated, "", nullptr},
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

TEST(Soundfont, ItsErrorsReachTheTerminalOncePerCause) {
    test_support::TempFolder dir;
    const std::vector<std::filesystem::path> broken = {
        dir.Write("corrupt.sf2", "RIFF" + std::string(400, '\x7f')),
        dir.Write("truncated.sf2", sound_files::MakeSoundfont().substr(0, 300))};
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 3; ++attempt) audio::MidiSynth(44100, broken);
    audio::FlushSynthLog();
    const auto lines = audio_test::CapturedStderrLines();
    EXPECT_FALSE(lines.empty());
    EXPECT_EQ(std::set(lines.begin(), lines.end()).size(), lines.size());
}

class SoundfontLoadTest : public audio_test::OfflineEngineTest {};

TEST_F(SoundfontLoadTest, LoadsWithTheFirstSongNotBefore) {
    test_support::TempFolder dir;
    ASSERT_EQ(audio::LoadWaveFile(dir.Write("t.wav", sound_files::MakeWave({.frames = 100}))).error,
              audio::LoadError::None);
    EXPECT_EQ(audio::LoadMidiFile(dir.Write("bad.mid", "MThd")).error,
              audio::LoadError::InvalidFormat);
    EXPECT_FALSE(audio::MidiSynth::Loaded());
    const auto song = audio::LoadMidiFile(dir.Write("s.mid", sound_files::MakeSong(1)));
    ASSERT_EQ(song.error, audio::LoadError::None) << song.detail;
    EXPECT_TRUE(audio::MidiSynth::Loaded());
    EXPECT_EQ(song.clip->OutputLine(), audio::Line::Midi);
}

TEST_F(SoundfontLoadTest, WithNoUsableFontSongsAreRefusedAndSoundsStillPlay) {
    if (audio::MidiSynth::Loaded()) GTEST_SKIP() << "a soundfont is loaded in this process";
    test_support::TempFolder fonts;
    audio::MidiSynth::UseSoundfontDirectory(fonts.path());
    test_support::TempFolder dir;
    const auto songFile = dir.Write("s.mid", sound_files::MakeSong(1));
    testing::internal::CaptureStderr();
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto song = audio::LoadMidiFile(songFile);
        EXPECT_EQ(song.error, audio::LoadError::NoSoundfont);
        EXPECT_NE(song.detail.find("fluid-soundfont-gm"), std::string::npos) << song.detail;
    }
    EXPECT_EQ(audio_test::CapturedStderrLines().size(), 1u) << "what to install, said once";
    fonts.Write("default-GM.sf2", "RIFF" + std::string(400, '\x7f'));
    const auto song = audio::LoadMidiFile(songFile);
    EXPECT_EQ(song.error, audio::LoadError::NoSoundfont);
    EXPECT_NE(song.detail.find(fonts.path().string()), std::string::npos) << song.detail;
    EXPECT_TRUE(audio::LoadWaveFile(dir.Write("t.wav", sound_files::MakeWave({}))).clip);
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
        std::fputs(audio::LoadErrorName(audio::LoadMidiFile(songFile).error), stderr);
        std::_Exit(0);
    };
    EXPECT_EXIT(loadWithNoFileLeft(), testing::ExitedWithCode(0), "TooManyFiles$");
}

}  // namespace
