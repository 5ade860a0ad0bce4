// Key to sound for WAV files on the offline sink: open, play, and pull the mix in 64-frame
// blocks until one is not silent, for files from one second to twenty minutes long; and the
// heap an open of a sparse twenty-minute 768 kHz file takes.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <fstream>
#include <vector>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlock = 64;
constexpr std::size_t kHeaderBytes = 44;

// A file that declares `dataBytes` of sound, holding `wave`'s samples at its start and a hole
// after them.
std::filesystem::path SparseWave(const test_support::TempFolder& dir, const std::string& name,
                                 const std::string& wave, std::uint32_t dataBytes) {
    std::string bytes = wave;
    for (int i = 0; i < 4; ++i) {
        bytes[4 + i] = char((dataBytes + 36) >> (8 * i));
        bytes[40 + i] = char(dataBytes >> (8 * i));
    }
    const auto file = dir.Write(name, bytes);
    std::filesystem::resize_file(file, kHeaderBytes + dataBytes);
    return file;
}

struct Files {
    Files() {
        audio::Engine::ChooseSink("offline");
        using sound_files::MakeWave;
        second = dir.Write("second.wav", MakeWave({.frames = 44100}));
        tenSeconds = dir.Write("ten.wav", MakeWave({.rate = 22050, .frames = 220500}));
        threeMinutes = dir.Write("three.wav", MakeWave({.frames = 180 * 44100}));
        sparse =
            SparseWave(dir, "sparse.wav", MakeWave({.channels = 1, .rate = 768000, .frames = 4096}),
                       1200u * 768000u * 2u);
    }
    test_support::TempFolder dir;
    std::filesystem::path second, tenSeconds, threeMinutes, sparse;
};

Files& Shared() {
    static Files files;
    return files;
}

long HeapKb() {
    const struct mallinfo2 info = mallinfo2();
    return long((info.uordblks + info.hblkhd) / 1024);
}

// Milliseconds from the open to the first block that is not silent.
double KeyToSound(const std::filesystem::path& file, long* heapKb) {
    static std::vector<float> block(2 * kBlock);
    const long heapBefore = HeapKb();
    const auto start = Clock::now();
    const auto loaded = audio::LoadWaveFile(file);
    audio::Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    for (int pulled = 0; pulled < 44100; pulled += kBlock) {
        audio::Engine::Shared().Pull(block.data(), kBlock);
        if (sound_files::Peak(block) > 0) break;
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    *heapKb = HeapKb() - heapBefore;
    return ms;
}

void BM_WaveKeyToSound(benchmark::State& state, const std::filesystem::path& file) {
    double total = 0;
    long heapKb = 0;
    for (auto _ : state) {
        const double ms = KeyToSound(file, &heapKb);
        total += ms;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["key_to_sound_ms"] = total / double(state.iterations());
    state.counters["heap_while_playing_kb"] = double(heapKb);
}

void BM_OneSecond(benchmark::State& state) {
    BM_WaveKeyToSound(state, Shared().second);
}
void BM_TenSecondsAt22050(benchmark::State& state) {
    BM_WaveKeyToSound(state, Shared().tenSeconds);
}
void BM_ThreeMinutes(benchmark::State& state) {
    BM_WaveKeyToSound(state, Shared().threeMinutes);
}
void BM_SparseTwentyMinutesAt768KHz(benchmark::State& state) {
    BM_WaveKeyToSound(state, Shared().sparse);
}
BENCHMARK(BM_OneSecond)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenSecondsAt22050)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeMinutes)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SparseTwentyMinutesAt768KHz)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
