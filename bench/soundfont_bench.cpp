// Memory and open times with Debian's full General MIDI soundfont (FluidR3_GM, 141 MB of
// samples): the first song's open (the soundfont's first load), the open of a second song with
// few instruments in common, and the process's resident memory while it plays. Run in this
// order, in one process. Aims: first open under 150 ms, second under 30 ms, under 80 MB playing.
// With BENCH_SOUNDFONT=sf3 the same figures for MuseScore's compressed SF3
// (musescore-general-soundfont-small), whose samples are decoded as they load.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "tests/support/gm_song.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

// One soundfont a process: the synthesiser loads its soundfont once.
std::filesystem::path Soundfont() {
    const char* chosen = std::getenv("BENCH_SOUNDFONT");
    return chosen != nullptr && std::string(chosen) == "sf3"
               ? "/usr/share/sounds/sf3/MuseScore_General.sf3"
               : "/usr/share/sounds/sf2/FluidR3_GM.sf2";
}
constexpr int kSongSeconds = 60;
constexpr int kBlock = 512;

struct Setup {
    Setup() {
        audio::Engine::ChooseSink("offline");
        // Only this soundfont, whatever default-GM points to on this machine.
        std::filesystem::create_symlink(Soundfont(), fonts.path() / Soundfont().filename());
        audio::MidiSynth::UseSoundfontDirectory(fonts.path());
        first = songs.Write("first.mid", sound_files::MakeGmSong(kSongSeconds, 0));
        second = songs.Write("second.mid", sound_files::MakeGmSong(kSongSeconds, 1));
    }
    test_support::TempFolder fonts;
    test_support::TempFolder songs;
    std::filesystem::path first;
    std::filesystem::path second;
    std::shared_ptr<const audio::Clip> open;  // the song open now, as the MIDI channel holds it
};

Setup& TheSetup() {
    static Setup setup;
    return setup;
}

// A /proc/self/status figure ("VmRSS", "VmHWM") in megabytes.
double StatusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024;
    return 0;
}

// Closes the song open now and opens `song`, as the MIDI channel does; the open's time.
void TimeOpen(benchmark::State& state, const std::filesystem::path& song) {
    if (!std::filesystem::exists(Soundfont())) {
        state.SkipWithError((Soundfont().string() + " is not installed").c_str());
        for (auto _ : state) {
        }
        return;
    }
    for (auto _ : state) {
        TheSetup().open.reset();
        const auto start = Clock::now();
        const audio::LoadResult loaded = audio::LoadMidiFile(song);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!loaded.clip) state.SkipWithError(loaded.detail.c_str());
        TheSetup().open = loaded.clip;
        state.SetIterationTime(seconds);
        state.counters["open_ms"] = seconds * 1000;
        state.counters["rss_mb"] = StatusMegabytes("VmRSS");
    }
}

void BM_FirstSongOpen(benchmark::State& state) {
    state.counters["rss_before_mb"] = StatusMegabytes("VmRSS");
    TimeOpen(state, TheSetup().first);
}
BENCHMARK(BM_FirstSongOpen)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SecondSongOpen(benchmark::State& state) {
    TimeOpen(state, TheSetup().second);
}
BENCHMARK(BM_SecondSongOpen)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

// Plays the open song to its end and reads the process's resident memory.
void BM_ResidentWhilePlaying(benchmark::State& state) {
    if (!TheSetup().open) {
        state.SkipWithError("no song is open");
        for (auto _ : state) {
        }
        return;
    }
    std::vector<float> block(2 * kBlock);
    for (auto _ : state) {
        audio::Player player(TheSetup().open);
        player.Play(std::nullopt, std::nullopt, false);
        for (int frame = 0; frame < kSongSeconds * 44100; frame += kBlock)
            audio::Engine::Shared().Pull(block.data(), kBlock);
        state.counters["rss_mb"] = StatusMegabytes("VmRSS");
    }
    state.counters["peak_rss_mb"] = StatusMegabytes("VmHWM");
}
BENCHMARK(BM_ResidentWhilePlaying)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
