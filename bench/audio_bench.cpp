// How soon sound starts after load and Play; and, in the same run, how fast the engine renders
// beside a peer: MIDI songs from sparse to dense beside the fluidsynth command-line renderer on
// the same soundfont and song, and a 22,050 Hz WAV file beside sox converting it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bench/song_generator.h"
#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBlock = 64;
constexpr int kRenderBlock = 512;
constexpr int kRenderIterations = 5;
constexpr int kSongSeconds = 60;

struct Files {
    Files() {
        audio::Engine::ChooseSink("offline");
        using sound_files::MakeWave;
        wave = dir.Write("tone.wav", MakeWave({.frames = 44100}));
        wave22050 =
            dir.Write("minute.wav", MakeWave({.rate = 22050, .frames = kSongSeconds * 22050}));
        busySong = dir.Write("busy.mid", audio_bench::MakeBusySong(kSongSeconds));
        sparseSong = dir.Write("sparse.mid", audio_bench::MakeSparseSong(kSongSeconds));
        denseSong = dir.Write("dense.mid", audio_bench::MakeDenseSong(kSongSeconds));
    }
    test_support::TempFolder dir;
    std::filesystem::path wave, wave22050;
    std::filesystem::path busySong, sparseSong, denseSong;
};

Files& Shared() {
    static Files files;
    return files;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Skip(benchmark::State& state, const std::string& why) {
    state.SkipWithError(why.c_str());
    for (auto _ : state) {
    }
}

// Loads, plays and pulls the mix in small blocks until a sample is not silent; the time that
// took, in milliseconds.
double TimeToFirstSound(const std::filesystem::path& file, bool midi) {
    static std::vector<float> block(2 * kBlock);
    // A period, as a running output renders between two opens, lets go of the last player.
    audio::Engine::Shared().Pull(block.data(), kBlock);
    const auto start = Clock::now();
    const auto result = midi ? audio::LoadMidiFile(file) : audio::LoadWaveFile(file);
    audio::Player player(result.clip);
    player.Play(std::nullopt, std::nullopt, false);
    for (int pulled = 0; pulled < 44100; pulled += kBlock) {
        audio::Engine::Shared().Pull(block.data(), kBlock);
        if (sound_files::Peak(block) > 0) break;
    }
    return SecondsSince(start) * 1000;
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
    if (audio::MidiSynth::Loaded()) return Skip(state, "the soundfont is already loaded");
    ReportFirstSound(state, Shared().busySong, true);
}
BENCHMARK(BM_MidiFirstSoundColdSoundfont)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_MidiFirstSoundWarmSoundfont(benchmark::State& state) {
    ReportFirstSound(state, Shared().busySong, true);
}
BENCHMARK(BM_MidiFirstSoundWarmSoundfont)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WaveFirstSound(benchmark::State& state) {
    ReportFirstSound(state, Shared().wave, false);
}
BENCHMARK(BM_WaveFirstSound)->UseManualTime()->Unit(benchmark::kMillisecond);

// Pulls `frames` of the mix in the blocks a device asks for.
void PullMix(std::int64_t frames) {
    static std::vector<float> buffer(2 * kRenderBlock);
    for (std::int64_t done = 0; done < frames; done += kRenderBlock)
        audio::Engine::Shared().Pull(buffer.data(), kRenderBlock);
    benchmark::DoNotOptimize(buffer.data());
}

std::string Quoted(const std::filesystem::path& path) {
    return std::string("'").append(path.string()).append("'");
}

bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

// The wall time of a whole peer process, start-up and file writing included; seconds, or
// nothing when it fails.
std::optional<double> TimeCommand(const std::string& command) {
    const auto start = Clock::now();
    if (std::system((command + " > /dev/null 2>&1").c_str()) != 0) return std::nullopt;
    return SecondsSince(start);
}

// Renders the whole song from the start, with a tone looping beside it when asked; seconds.
double RenderSong(audio::Player& midi, audio::Player& wave, std::int64_t frames, bool withWave) {
    const auto start = Clock::now();
    midi.Play(0, std::nullopt, false);
    if (withWave) wave.Play(0, std::nullopt, true);
    PullMix(frames);
    wave.Stop();
    return SecondsSince(start);
}

// Each iteration renders the song with the engine (alone, then with a WAVE beside it) and with
// the fluidsynth command-line renderer on the soundfont the engine loaded, one after the other,
// so both see the same machine load.
void BM_RenderSpeedBesideFluidsynthCli(benchmark::State& state,
                                       std::filesystem::path Files::*songFile) {
    if (!Installed("fluidsynth"))
        return Skip(state, "the fluidsynth command-line renderer is not installed");
    const auto& file = Shared().*songFile;
    const auto song = audio::LoadMidiFile(file);
    if (!song.clip) return Skip(state, song.detail);
    audio::LoadError error = audio::LoadError::None;
    std::string detail;
    const std::string cli = "fluidsynth -ni -q -F " + Quoted(Shared().dir.path() / "cli.wav") +
                            " -r " + std::to_string(audio::Engine::Shared().SampleRate()) + " " +
                            Quoted(audio::MidiSynth::Shared(&error, &detail)->Soundfont()) + " " +
                            Quoted(file);
    const auto tone = audio::LoadWaveFile(Shared().wave);
    audio::Player midi(song.clip);
    audio::Player wave(tone.clip);
    double engine = 0, engineWithWave = 0, peer = 0;
    for (auto _ : state) {
        engine += RenderSong(midi, wave, song.clip->LengthFrames(), false);
        engineWithWave += RenderSong(midi, wave, song.clip->LengthFrames(), true);
        const auto seconds = TimeCommand(cli);
        if (!seconds) {
            state.SkipWithError(("failed: " + cli).c_str());
            break;
        }
        peer += *seconds;
    }
    const double audio = double(song.clip->LengthMs()) / 1000 * double(state.iterations());
    state.counters["engine_x_realtime"] = audio / engine;
    state.counters["engine_with_wave_x_realtime"] = audio / engineWithWave;
    state.counters["fluidsynth_cli_x_realtime"] = audio / peer;
    state.counters["engine_over_cli"] = peer / engine;
    state.counters["engine_with_wave_over_cli"] = peer / engineWithWave;
}
BENCHMARK_CAPTURE(BM_RenderSpeedBesideFluidsynthCli, busy, &Files::busySong)
    ->Iterations(kRenderIterations)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_RenderSpeedBesideFluidsynthCli, sparse, &Files::sparseSong)
    ->Iterations(kRenderIterations)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_RenderSpeedBesideFluidsynthCli, dense, &Files::denseSong)
    ->Iterations(kRenderIterations)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Opens the file and renders all of it through the engine, resampled to the engine's rate;
// seconds.
double RenderWave(const std::filesystem::path& file) {
    const auto start = Clock::now();
    const auto loaded = audio::LoadWaveFile(file);
    audio::Player player(loaded.clip);
    player.Play(0, std::nullopt, false);
    PullMix(loaded.clip->LengthFrames());
    return SecondsSince(start);
}

// Each iteration plays the 22,050 Hz file through the engine and has sox convert it to the
// engine's rate, one after the other. sox also writes its output; the engine only mixes it.
void BM_WaveResampleBesideSox(benchmark::State& state) {
    if (!Installed("sox")) return Skip(state, "sox is not installed");
    const auto& file = Shared().wave22050;
    const std::string sox = "sox " + Quoted(file) + " -r " +
                            std::to_string(audio::Engine::Shared().SampleRate()) + " " +
                            Quoted(Shared().dir.path() / "sox.wav");
    double engine = 0, peer = 0;
    for (auto _ : state) {
        engine += RenderWave(file);
        const auto seconds = TimeCommand(sox);
        if (!seconds) {
            state.SkipWithError(("failed: " + sox).c_str());
            break;
        }
        peer += *seconds;
    }
    const double audio = kSongSeconds * double(state.iterations());
    state.counters["engine_x_realtime"] = audio / engine;
    state.counters["sox_x_realtime"] = audio / peer;
    state.counters["engine_over_sox"] = peer / engine;
}
BENCHMARK(BM_WaveResampleBesideSox)
    ->Iterations(kRenderIterations)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
