// The soundfont: found by preference, and loaded only when the first song loads.
#include <gtest/gtest.h>

#include "null_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/midi_synth.h"
#include "sound_files.h"

namespace {

TEST(Soundfont, FoundInOrderOfPreference) {
    audio_test::ScratchDir dir;
    EXPECT_FALSE(audio::FindSoundfont(dir.Path()));
    EXPECT_FALSE(audio::FindSoundfont(dir.Path() / "missing"));
    dir.Write("TimGM6mb.sf2", "x");
    EXPECT_EQ(audio::FindSoundfont(dir.Path()), dir.Path() / "TimGM6mb.sf2");
    dir.Write("FluidR3_GM.sf2", "x");
    EXPECT_EQ(audio::FindSoundfont(dir.Path()), dir.Path() / "FluidR3_GM.sf2");
    std::filesystem::create_directory(dir.Path() / "default-GM.sf2");  // not a file
    EXPECT_EQ(audio::FindSoundfont(dir.Path()), dir.Path() / "FluidR3_GM.sf2");
}

class SoundfontLoadTest : public audio_test::NullEngineTest {};

TEST_F(SoundfontLoadTest, LoadsWithTheFirstSongNotBefore) {
    audio_test::ScratchDir dir;
    ASSERT_EQ(audio::LoadWaveFile(dir.Write("t.wav", audio_test::MakeWave({.frames = 100}))).error,
              audio::LoadError::None);
    EXPECT_EQ(audio::LoadMidiFile(dir.Write("bad.mid", "MThd")).error,
              audio::LoadError::InvalidFormat);
    EXPECT_FALSE(audio::MidiSynth::Loaded());
    const auto song = audio::LoadMidiFile(dir.Write("s.mid", audio_test::MakeSong(1)));
    ASSERT_EQ(song.error, audio::LoadError::None) << song.detail;
    EXPECT_TRUE(audio::MidiSynth::Loaded());
    EXPECT_EQ(song.clip->OutputLine(), audio::Line::Midi);
}

}  // namespace
