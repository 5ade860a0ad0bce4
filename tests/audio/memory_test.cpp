// Memory over many songs and sounds: loading, playing and dropping clips over and over leaves no
// more in use, and a song on Debian's full General MIDI soundfont (141 MB of samples) keeps only
// those of its own instruments, all read when it opens and none while it plays.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "platform/audio/recorder.h"
#include "tests/support/gm_song.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

class MemoryTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(audio::Engine::ChooseSink("offline")); }

    static void Pull() { audio::Engine::Shared().Pull(block_.data(), 512); }

    test_support::TempFolder dir_;
    static inline std::vector<float> block_ = std::vector<float>(2 * 512);
};

long LiveHeapKb() {
    return long(test_support::ProcessResources::Now().heapBytes / 1024);
}

TEST_F(MemoryTest, StaysFlatOverAThousandLoadPlayDestroyCycles) {
    const auto wave = dir_.Write("t.wav", sound_files::MakeWave({.frames = 22050}));
    const auto song = dir_.Write("s.mid", sound_files::MakeSong(2));
    const auto cycle = [&] {
        audio::Recorder recorder;
        EXPECT_TRUE(recorder.Start(0, std::nullopt, true));
        audio::Player wavePlayer(audio::LoadWaveFile(wave).clip);
        audio::Player midiPlayer(audio::LoadMidiFile(song).clip);
        wavePlayer.Play(std::nullopt, std::nullopt, false);
        midiPlayer.Play(std::nullopt, std::nullopt, false);
        Pull();
        Pull();
        recorder.Stop();
    };
    for (int i = 0; i < 100; ++i) cycle();  // first use: soundfont, caches, allocator pools
    const long before = LiveHeapKb();
    for (int i = 0; i < 1000; ++i) cycle();
    const long growth = LiveHeapKb() - before;
    RecordProperty("growth_kb", std::to_string(growth));
    EXPECT_LT(growth, 512);
}

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

TEST_F(MemoryTest, GeneralMidiSongsOnTheFullSoundfontPlayInLittleMemory) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's shadow memory is resident too";
#endif
    const std::filesystem::path fluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
    if (!std::filesystem::exists(fluidR3)) GTEST_SKIP() << fluidR3 << " is not installed";
    std::filesystem::create_symlink(fluidR3, dir_.path() / "FluidR3_GM.sf2");
    audio::MidiSynth::UseSoundfontDirectory(dir_.path());
    // Two songs with few instruments in common, one after the other as a channel plays them.
    for (int variant : {0, 1, 0}) {
        SCOPED_TRACE(variant);
        const auto song =
            audio::LoadMidiFile(dir_.Write("gm.mid", sound_files::MakeGmSong(8, variant)));
        ASSERT_TRUE(song.clip) << song.detail;
        const double opened = ResidentMb();
        {
            audio::Player player(song.clip);
            player.Play(std::nullopt, std::nullopt, false);
            for (std::int64_t frame = 0; frame < song.clip->LengthFrames(); frame += 512) Pull();
        }
        // Without a clock nothing lets go of the closed player until the next pull, as a sound
        // card's next period would.
        Pull();
        const double played = ResidentMb();
        EXPECT_LT(played, 80);
        EXPECT_LT(played - opened, 2) << "MB read while playing";
    }
}

}  // namespace
