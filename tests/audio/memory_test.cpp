// Loading, playing and dropping clips over and over leaves no more memory in use.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "platform/audio/recorder.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

long LiveHeapKb() {
    return long(test_support::ProcessResources::Now().heapBytes / 1024);
}

constexpr int kCycles = 1000;
constexpr long kAllowedGrowthKb = 512;

TEST(MemoryTest, StaysFlatOverAThousandLoadPlayDestroyCycles) {
    audio::Engine::ChooseSink("offline");
    test_support::TempFolder dir;
    const auto wave = dir.Write("t.wav", sound_files::MakeWave({.frames = 22050}));
    const auto song = dir.Write("s.mid", sound_files::MakeSong(2));
    std::vector<float> buffer(2 * 1024);
    const auto cycle = [&] {
        audio::Recorder recorder;
        recorder.Start(0, std::nullopt, true);
        audio::Player wavePlayer(audio::LoadWaveFile(wave).clip);
        audio::Player midiPlayer(audio::LoadMidiFile(song).clip);
        wavePlayer.Play(std::nullopt, std::nullopt, false);
        midiPlayer.Play(std::nullopt, std::nullopt, false);
        audio::Engine::Shared().Pull(buffer.data(), 1024);
        recorder.Stop();
    };
    for (int i = 0; i < 100; ++i) cycle();  // first use: soundfont, caches, allocator pools
    const long before = LiveHeapKb();
    for (int i = 0; i < kCycles; ++i) cycle();
    const long growth = LiveHeapKb() - before;
    RecordProperty("growth_kb", std::to_string(growth));
    EXPECT_LT(growth, kAllowedGrowthKb);
}

}  // namespace
