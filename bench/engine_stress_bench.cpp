// Underruns under load: a WAV (resampled from 22,050 Hz) and a MIDI song loop on the null
// sink while another thread sends 200 control calls a second, for a minute. Counts the
// periods the engine could not fill in time, by cause; the target is 0. Then the blocks a
// playing song goes without while other songs open beside it. With SDL_AUDIODRIVER set
// (for example SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null) it runs on that SDL driver
// instead.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>
#include <thread>

#include "platform/audio/clip.h"
#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "platform/audio/sdl_audio_session.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kCommandsPerSecond = 200;

// One control call of a mix that touches every path: pause and resume, plays from anywhere
// (each cues a new voice), seeks and line gains.
void Command(int index, audio::Player& wave, audio::Player& midi, std::mt19937& random) {
    const auto anywhere = [&](const audio::Player& player) {
        return std::int64_t(random() % std::uint64_t(player.LengthMs()));
    };
    switch (index % 6) {
        case 0:
            wave.Pause();
            break;
        case 1:
            wave.Resume();
            break;
        case 2:
            midi.Play(anywhere(midi), std::nullopt, true);
            break;
        case 3:
            audio::Engine::Shared().SetLineGain(audio::Line::Wave, float(random() % 100) / 100);
            break;
        case 4:
            wave.Play(anywhere(wave), std::nullopt, true);
            break;
        default:
            benchmark::DoNotOptimize(midi.PositionMs() + wave.PositionMs());
            break;
    }
}

void BM_UnderrunsWithCommandsFromAnotherThread(benchmark::State& state) {
    test_support::TempFolder dir;
    const auto waveClip = audio::LoadWaveFile(
        dir.Write("loop.wav", sound_files::MakeWave({.rate = 22050, .frames = 22050 * 10})));
    const auto songClip = audio::LoadMidiFile(dir.Write("song.mid", sound_files::MakeSong(60)));
    if (!waveClip.clip || !songClip.clip) {
        state.SkipWithError("the test sounds did not load");
        return;
    }
    audio::Player wave(waveClip.clip);
    audio::Player midi(songClip.clip);
    const auto seconds = std::chrono::seconds(state.range(0));
    audio::UnderrunCount underruns;
    int commands = 0;
    for (auto _ : state) {
        wave.Play(0, std::nullopt, true);
        midi.Play(0, std::nullopt, true);
        const audio::UnderrunCount before = audio::Engine::Shared().Underruns();
        std::thread commander([&] {
            std::mt19937 random(1);
            const auto start = Clock::now();
            auto due = start;
            while (Clock::now() - start < seconds) {
                Command(commands++, wave, midi, random);
                due += std::chrono::microseconds(1'000'000 / kCommandsPerSecond);
                std::this_thread::sleep_until(due);
            }
        });
        commander.join();
        const audio::UnderrunCount after = audio::Engine::Shared().Underruns();
        underruns.late += after.late - before.late;
        underruns.starved += after.starved - before.starved;
        wave.Stop();
        midi.Stop();
    }
    state.counters["underruns"] = double(underruns.Total());
    // Late periods are the machine's scheduling; starved ones are the engine's own.
    state.counters["late"] = double(underruns.late);
    state.counters["starved"] = double(underruns.starved);
    state.counters["commands"] = commands;
}
BENCHMARK(BM_UnderrunsWithCommandsFromAnotherThread)
    ->Arg(60)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// Six songs, each with instruments the playing one lacks, open and close while a song plays:
// the blocks the playing song went without while their instruments were pinned. The target is
// 0 on a machine with a core to spare; where the opening thread loses its core while it holds
// the synthesiser, a period can still go without.
void BM_SongsOpenBesideAPlayingOne(benchmark::State& state) {
    test_support::TempFolder folder;
    const auto playing =
        audio::LoadMidiFile(folder.Write("playing.mid", sound_files::MakeGmSong(60, 0)));
    const auto synth = audio::MidiSynth::Shared(nullptr, nullptr);
    if (!playing.clip || !synth) {
        state.SkipWithError("the song did not load");
        return;
    }
    audio::Player player(playing.clip);
    long missed = 0;
    for (auto _ : state) {
        player.Play(0, std::nullopt, true);
        while (player.PositionMs() < 100) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const long before = synth->BlocksMissed();
        for (int variant = 1; variant <= 6; ++variant)
            audio::LoadMidiFile(folder.Write("opening.mid", sound_files::MakeGmSong(1, variant)));
        missed += synth->BlocksMissed() - before;
        player.Stop();
    }
    state.counters["blocks_missed"] = double(missed);
}
BENCHMARK(BM_SongsOpenBesideAPlayingOne)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    std::optional<audio::SdlAudioSession> sdl;
    if (std::getenv("SDL_AUDIODRIVER")) sdl.emplace();
    audio::Engine::ChooseSink(sdl ? "sdl" : "null");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
