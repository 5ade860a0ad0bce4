// What taking an MCI command string apart costs, beside a plain split of the same text into
// words with an istringstream as the yardstick.
#include <benchmark/benchmark.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "platform/mci/command.h"
#include "platform/multimedia.h"

namespace {

const std::array<std::string, 4> kCommands = {
    "open Sequencer!C:\\MY MUSIC\\SOME ARTIST\\A LONG SONG NAME.MID alias MIDI wait",
    "play WAVE from 0 to 500 repeat",
    "status MIDI position wait",
    "set REC samplespersec 44100 channels 2 bitspersample 16 alignment 4 bytespersec 176400",
};

void BM_ParseCommand(benchmark::State& state) {
    const std::string& command = kCommands[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(mci::ParseCommand(command));
}
BENCHMARK(BM_ParseCommand)->DenseRange(0, kCommands.size() - 1);

void BM_SplitWordsYardstick(benchmark::State& state) {
    const std::string& command = kCommands[state.range(0)];
    for (auto _ : state) {
        std::istringstream stream(command);
        std::vector<std::string> words;
        for (std::string word; stream >> word;) words.push_back(word);
        benchmark::DoNotOptimize(words);
    }
}
BENCHMARK(BM_SplitWordsYardstick)->DenseRange(0, kCommands.size() - 1);

// The whole round trip of a status query on a device without a file, which needs no audio.
void BM_SendStatus(benchmark::State& state) {
    mciSendStringA("open Sequencer alias BENCH", nullptr, 0, 0);
    std::array<char, 260> reply{};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            mciSendStringA("status BENCH mode", reply.data(), reply.size(), 0));
    mciSendStringA("close BENCH", nullptr, 0, 0);
}
BENCHMARK(BM_SendStatus);

}  // namespace

BENCHMARK_MAIN();
