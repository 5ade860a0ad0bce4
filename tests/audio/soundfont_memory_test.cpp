// Debian's full General MIDI soundfont holds 141 MB of samples; a song keeps in memory only
// those of its own instruments, all read when it opens and none while it plays.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "tests/support/gm_song.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr const char* kFluidR3 = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
constexpr double kPlayingLimitMb = 80;
constexpr double kGrowthWhilePlayingMb = 2;
constexpr int kSongSeconds = 8;

double ResidentMb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

// Plays `song` to its end through the offline sink.
void PlayThrough(const std::shared_ptr<const audio::Clip>& song) {
    std::vector<float> block(2 * 512);
    {
        audio::Player player(song);
        player.Play(std::nullopt, std::nullopt, false);
        for (std::int64_t frame = 0; frame < song->LengthFrames(); frame += 512)
            audio::Engine::Shared().Pull(block.data(), 512);
    }
    // Without a clock nothing lets go of the closed player until the next pull, as a sound
    // card's next period would.
    audio::Engine::Shared().Pull(block.data(), 512);
}

TEST(SoundfontMemory, GeneralMidiSongsOnTheFullSoundfontPlayInLittleMemory) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "a sanitizer's shadow memory is resident too";
#endif
    if (!std::filesystem::exists(kFluidR3)) GTEST_SKIP() << kFluidR3 << " is not installed";
    ASSERT_TRUE(audio::Engine::ChooseSink("offline"));
    test_support::TempFolder dir;
    std::filesystem::create_symlink(kFluidR3, dir.path() / "FluidR3_GM.sf2");
    audio::MidiSynth::UseSoundfontDirectory(dir.path());
    // Two songs with few instruments in common, one after the other as a channel plays them.
    for (int variant : {0, 1, 0}) {
        SCOPED_TRACE(variant);
        const auto song = audio::LoadMidiFile(
            dir.Write("gm.mid", sound_files::MakeGmSong(kSongSeconds, variant)));
        ASSERT_TRUE(song.clip) << song.detail;
        const double opened = ResidentMb();
        PlayThrough(song.clip);
        const double played = ResidentMb();
        EXPECT_LT(played, kPlayingLimitMb);
        EXPECT_LT(played - opened, kGrowthWhilePlayingMb) << "samples were read while playing";
    }
}

}  // namespace
