// Damaged copies of valid files through both loaders and played: nothing may crash, hang or leak.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/player.h"
#include "tests/support/byte_mutation.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kMutants = 3000;
constexpr auto kTimeBudget = std::chrono::seconds(25);

class FuzzTest : public audio_test::OfflineEngineTest {
  protected:
    // Loads every mutant through `load`, and plays a little of those that load.
    template <class Loader>
    void Run(const std::vector<std::string>& seeds, const char* name, Loader load) {
        std::mt19937 random(20240611);
        const auto deadline = Clock::now() + kTimeBudget;
        int loaded = 0;
        int tried = 0;
        for (; tried < kMutants && Clock::now() < deadline; ++tried) {
            const std::string bytes =
                test_support::MutateBytes(seeds[tried % seeds.size()], random);
            const audio::LoadResult result = load(dir_.Write(name, bytes));
            ASSERT_EQ(result.clip == nullptr, result.error != audio::LoadError::None);
            if (!result.clip) continue;
            ++loaded;
            audio::Player player(result.clip);
            player.Play(std::int64_t(random() % 4000), std::nullopt, random() % 2 == 0);
            Pull(512);
            player.Seek(std::int64_t(random() % 4000));
        }
        RecordProperty("mutants", tried);
        RecordProperty("loaded", loaded);
        EXPECT_GT(tried, 100);
    }

    test_support::TempFolder dir_;
};

TEST_F(FuzzTest, WaveLoaderSurvivesDamagedFiles) {
    using sound_files::MakeWave;
    Run({MakeWave({.channels = 1, .rate = 8000, .bits = 8, .frames = 800}),
         MakeWave({.channels = 3, .rate = 48000, .bits = 24, .frames = 300}),
         MakeWave({.formatTag = 3, .rate = 22050, .bits = 32, .frames = 400})},
        "fuzz.wav", audio::LoadWaveFile);
}

TEST_F(FuzzTest, MidiLoaderSurvivesDamagedFiles) {
    using sound_files::MidiTrack;
    MidiTrack tempo;
    tempo.Tempo(0, 400000).SysEx(10, 12).End(900);
    MidiTrack notes;
    notes.Event(0, {0xC1, 40})
        .Event(0, {0x91, 60, 90})
        .Event(100, {64, 90})
        .Event(300, {0xE1, 0, 80})
        .Event(100, {0x81, 60, 0})
        .End(10);
    const std::string formatOne = sound_files::MakeSmf(1, 240, {tempo, notes});
    Run({sound_files::MakeSong(2), formatOne, sound_files::MakeRmid(formatOne)}, "fuzz.mid",
        audio::LoadMidiFile);
}

}  // namespace
