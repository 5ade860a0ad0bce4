// How soon sound starts after load and Play, and how fast the engine renders a song next to
// the fluidsynth command-line renderer on the same soundfont and song, in one run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "bench/song_generator.h"
#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlock = 64;
constexpr int kSongSeconds = 60;

struct Files {
    Files() {
        audio::Engine::ChooseSink("offline");
        wave = dir.Write("tone.wav", sound_files::MakeWave({.frames = 44100}));
        song = dir.Write("song.mid", audio_bench::MakeBusySong(kSongSeconds));
    }
    test_support::TempFolder dir;
    std::filesystem::path wave;
    std::filesystem::path song;
};

Files& Shared() {
    static Files files;
    return files;
}

// Loads, plays and pulls the mix in small blocks until a sample is not silent; the time that
// took, in milliseconds.
double TimeToFirstSound(const std::filesystem::path& file, bool midi) {
    static std::vector<float> block(2 * kBlock);
    const auto start = Clock::now();
    const auto result = midi ? audio::LoadMidiFile(file) : audio::LoadWaveFile(file);
    audio::Player player(result.clip);
    player.Play(std::nullopt, std::nullopt, false);
    for (int pulled = 0; pulled < 44100; pulled += kBlock) {
        audio::Engine::Shared().Pull(block.data(), kBlock);
        if (sound_files::Peak(block) > 0) break;
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void ReportFirstSound(benchmark::State& state, const std::filesystem::path& file, bool midi) {
    double total = 0;
    for (auto _ : state) {
        const double ms = TimeToFirstSound(file, midi);
        total += ms;
        state.SetIterationTime(ms / 1000);
    }
    state.counters["first_sound_ms"] = total / double(state.iterations());
}

// Runs first, before anything has loaded the soundfont: the one cold start of this process.
void BM_MidiFirstSoundColdSoundfont(benchmark::State& state) {
    if (audio::MidiSynth::Loaded()) {
        state.SkipWithError("the soundfont is already loaded");
        for (auto _ : state) {
        }
        return;
    }
    ReportFirstSound(state, Shared().song, true);
}
BENCHMARK(BM_MidiFirstSoundColdSoundfont)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MidiFirstSoundWarmSoundfont(benchmark::State& state) {
    ReportFirstSound(state, Shared().song, true);
}
BENCHMARK(BM_MidiFirstSoundWarmSoundfont)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WaveFirstSound(benchmark::State& state) {
    ReportFirstSound(state, Shared().wave, false);
}
BENCHMARK(BM_WaveFirstSound)->UseManualTime()->Unit(benchmark::kMillisecond);

// Renders the whole song from the start, with a tone looping beside it when asked; seconds.
double RenderSong(audio::Player& midi, audio::Player& wave, std::int64_t frames, bool withWave) {
    static std::vector<float> buffer(2 * 512);
    const auto start = Clock::now();
    midi.Play(0, std::nullopt, false);
    if (withWave) wave.Play(0, std::nullopt, true);
    for (std::int64_t done = 0; done < frames; done += 512)
        audio::Engine::Shared().Pull(buffer.data(), 512);
    benchmark::DoNotOptimize(buffer.data());
    wave.Stop();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The fluidsynth command-line renderer, whole process, on the same soundfont and song; seconds,
// or nothing when it cannot run.
std::optional<double> RenderSongWithCli() {
    const auto soundfonts = audio::FindSoundfonts(audio::MidiSynth::kSoundfontDirectory);
    if (soundfonts.empty()) return std::nullopt;
    const auto* soundfont = &soundfonts.front();
    const auto out = Shared().dir.path() / "cli.wav";
    const std::string command = "fluidsynth -ni -q -F '" + out.string() + "' -r 44100 '" +
                                soundfont->string() + "' '" + Shared().song.string() +
                                "' > /dev/null 2>&1";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Each iteration renders the song with the engine (alone, then with a WAVE beside it) and with
// the command-line renderer, one after the other, so both see the same machine load.
void BM_RenderSpeedBesideFluidsynthCli(benchmark::State& state) {
    const auto song = audio::LoadMidiFile(Shared().song);
    const auto tone = audio::LoadWaveFile(Shared().wave);
    audio::Player midi(song.clip);
    audio::Player wave(tone.clip);
    const std::int64_t frames = song.clip->LengthFrames();
    double engine = 0, engineWithWave = 0, cli = 0;
    for (auto _ : state) {
        engine += RenderSong(midi, wave, frames, false);
        engineWithWave += RenderSong(midi, wave, frames, true);
        const auto seconds = RenderSongWithCli();
        if (!seconds) {
            state.SkipWithError("the fluidsynth command-line renderer did not run");
            break;
        }
        cli += *seconds;
    }
    const double audio = double(song.clip->LengthMs()) / 1000 * double(state.iterations());
    state.counters["engine_x_realtime"] = audio / engine;
    state.counters["engine_with_wave_x_realtime"] = audio / engineWithWave;
    state.counters["fluidsynth_cli_x_realtime"] = audio / cli;
    state.counters["engine_over_cli"] = cli / engine;
}
BENCHMARK(BM_RenderSpeedBesideFluidsynthCli)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
