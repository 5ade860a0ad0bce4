// Loading, playing and dropping clips over and over leaves the process no bigger.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "platform/audio/recorder.h"
#include "sound_files.h"

namespace {

constexpr int kCycles = 1000;
constexpr long kAllowedGrowthKb = 4096;

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

TEST(MemoryTest, StaysFlatOverAThousandLoadPlayDestroyCycles) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer keeps freed memory in quarantine; its leak check covers this";
#endif
    audio::Engine::ChooseSink("offline");
    audio_test::ScratchDir dir;
    const auto wave = dir.Write("t.wav", audio_test::MakeWave({.frames = 22050}));
    const auto song = dir.Write("s.mid", audio_test::MakeSong(2));
    std::vector<float> buffer(2 * 1024);
    const auto cycle = [&] {
        audio::Recorder recorder;
        recorder.Start(true);
        audio::Player wavePlayer(audio::LoadWaveFile(wave).clip);
        audio::Player midiPlayer(audio::LoadMidiFile(song).clip);
        wavePlayer.Play(std::nullopt, std::nullopt, false);
        midiPlayer.Play(std::nullopt, std::nullopt, false);
        audio::Engine::Shared().Pull(buffer.data(), 1024);
        recorder.Stop();
    };
    for (int i = 0; i < 100; ++i) cycle();  // first use: soundfont, caches, allocator pools
    const long before = ResidentKb();
    for (int i = 0; i < kCycles; ++i) cycle();
    const long growth = ResidentKb() - before;
    RecordProperty("growth_kb", std::to_string(growth));
    EXPECT_LT(growth, kAllowedGrowthKb);
}

}  // namespace
