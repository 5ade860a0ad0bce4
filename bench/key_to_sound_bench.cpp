// Key to sound as the window does it for a list's next entry (stop, close, open, play through
// cMCI_Adv), then pulling the offline mix until a block is not silent: songs and sounds in a
// folder of 40 files and in one of 40,000 long, mixed-case names. The keys go back and forth
// between two songs with different instruments, so each key loads its song's. Under
// `valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*PressKey*'` the
// instructions per key are the collected total over the number of PressKey calls.
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <fstream>
#include <map>
#include <vector>

#include "bench/song_generator.h"
#include "media/cmci_adv.h"
#include "platform/audio/engine.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kBlock = 64;

// Long names with spaces, so every one of them needs a short alias.
void FillFolder(const std::filesystem::path& folder, int files) {
    std::filesystem::create_directories(folder);
    for (int i = 0; i < files; ++i) {
        const char* ending = i % 2 == 0 ? ".mid" : ".WAV";
        std::ofstream(folder / ("Take Number " + std::to_string(i) + " Of The Day" + ending))
            << 'x';
    }
    std::ofstream(folder / "Song A To Play.mid", std::ios::binary) << audio_bench::MakeBusySong(8);
    std::ofstream(folder / "Song B To Play.mid", std::ios::binary)
        << audio_bench::MakeSparseSong(8);
    std::ofstream(folder / "Sound A To Play.wav", std::ios::binary) << sound_files::ToneWave(1000);
    std::ofstream(folder / "Sound B To Play.wav", std::ios::binary) << sound_files::ToneWave(500);
}

struct Folders {
    Folders() : drive({{'T', dir.path(), "bench"}}) {
        audio::Engine::ChooseSink("offline");
        FillFolder(dir.path() / "Forty Files", 38);
        FillFolder(dir.path() / "Forty Thousand Files", 39998);
    }
    test_support::TempFolder dir;
    test_support::ScopedDrives drive;
};

[[gnu::noinline]] bool PressKey(cMCI_Adv& mci, const std::string& alias, std::int32_t type,
                                const std::string& path) {
    static std::vector<float> block(2 * kBlock);
    mci.MCI_Stop(alias);
    mci.MCI_Close(alias, {.hCallbackProc = 0, .WaitToComplete = vbTrue, .ShowErrors = vbFalse});
    // The period a running output renders while the close waits for it, which lets go of the
    // closed player.
    audio::Engine::Shared().Pull(block.data(), kBlock);
    if (!IsTrue(mci.MCI_Open(alias, {.DeviceType = type, .FilePath = path}))) return false;
    mci.MCI_Play(alias);
    for (int pulled = 0; pulled < 44100; pulled += kBlock) {
        audio::Engine::Shared().Pull(block.data(), kBlock);
        if (sound_files::Peak(block) > 0) return true;
    }
    return false;
}

void BM_KeyToSound(benchmark::State& state, const std::string& folder, std::int32_t type) {
    static Folders folders;
    // Google Benchmark runs this function more than once; only its first run has a first key.
    static std::map<std::string, double> firstKeyMs;
    cMCI_Adv mci;
    const std::string stem = "T:\\" + folder + (type == 3 ? "\\Song " : "\\Sound ");
    const std::string ending = type == 3 ? " To Play.mid" : " To Play.wav";
    const std::array paths{stem + "A" + ending, stem + "B" + ending};
    // The first key in a folder lists it and gives its files their short names: timed apart.
    const std::string name = folder + ending;
    if (!firstKeyMs.contains(name)) {
        const auto first = std::chrono::steady_clock::now();
        PressKey(mci, "KEY", type, paths[1]);
        firstKeyMs[name] = std::chrono::duration<double, std::milli>(
                               std::chrono::steady_clock::now() - first)
                               .count();
    }
    state.counters["first_key_ms"] = firstKeyMs[name];
    std::size_t next = 0;
    for (auto _ : state) {
        if (!PressKey(mci, "KEY", type, paths[next])) state.SkipWithError("no sound");
        next = 1 - next;
    }
    mci.MCI_Close("KEY");
}

BENCHMARK_CAPTURE(BM_KeyToSound, song_in_40, "Forty Files", 3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyToSound, song_in_40000, "Forty Thousand Files", 3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyToSound, sound_in_40, "Forty Files", 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyToSound, sound_in_40000, "Forty Thousand Files", 4)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
