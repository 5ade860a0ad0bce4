// The soundfont: found by preference, and loaded only when the first song loads.
#include <gtest/gtest.h>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/midi_synth.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(Soundfont, FoundInOrderOfPreference) {
    test_support::TempFolder dir;
    EXPECT_FALSE(audio::FindSoundfont(dir.path()));
    EXPECT_FALSE(audio::FindSoundfont(dir.path() / "missing"));
    dir.Write("TimGM6mb.sf2", "x");
    EXPECT_EQ(audio::FindSoundfont(dir.path()), dir.path() / "TimGM6mb.sf2");
    dir.Write("FluidR3_GM.sf2", "x");
    EXPECT_EQ(audio::FindSoundfont(dir.path()), dir.path() / "FluidR3_GM.sf2");
    std::filesystem::create_directory(dir.path() / "default-GM.sf2");  // not a file
    EXPECT_EQ(audio::FindSoundfont(dir.path()), dir.path() / "FluidR3_GM.sf2");
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

}  // namespace
