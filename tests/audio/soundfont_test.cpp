// The soundfont: found by preference, the next one tried when one does not load, and loaded
// only when the first song loads.
#include <gtest/gtest.h>

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
    EXPECT_EQ(audio::FindSoundfonts(dir.path()), Paths{});
    EXPECT_EQ(audio::FindSoundfonts(dir.path() / "missing"), Paths{});
    dir.Write("TimGM6mb.sf2", "x");
    dir.Write("FluidR3_GM.sf2", "x");
    dir.Write("other.sf2", "x");
    std::filesystem::create_directory(dir.path() / "default-GM.sf2");  // not a file
    EXPECT_EQ(audio::FindSoundfonts(dir.path()),
              (Paths{dir.path() / "FluidR3_GM.sf2", dir.path() / "TimGM6mb.sf2"}));
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
        const audio::MidiSynth synth(44100, audio::FindSoundfonts(dir.path()));
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
    fonts.Write("default-GM.sf2", "RIFF" + std::string(400, '\x7f'));
    audio::MidiSynth::UseSoundfontDirectory(fonts.path());
    test_support::TempFolder dir;
    const auto song = audio::LoadMidiFile(dir.Write("s.mid", sound_files::MakeSong(1)));
    EXPECT_EQ(song.error, audio::LoadError::NoSoundfont);
    EXPECT_NE(song.detail.find(fonts.path().string()), std::string::npos) << song.detail;
    EXPECT_TRUE(audio::LoadWaveFile(dir.Write("t.wav", sound_files::MakeWave({}))).clip);
    fonts.Write("TimGM6mb.sf2", sound_files::MakeSoundfont());
    EXPECT_TRUE(audio::LoadMidiFile(dir.path() / "s.mid").clip) << "a font put there later";
}

}  // namespace
