// Random and mangled command strings through the parser, for a bounded time: every input
// gives a result, and every error it gives has a text. Run under the sanitizers, this is
// where out-of-range reads and overflows in the parser show up.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <string>

#include "platform/mci/command.h"
#include "platform/mci/error_table.h"

namespace mci {
namespace {

constexpr auto kWords = std::to_array<const char*>({
    "open",
    "close",
    "play",
    "pause",
    "resume",
    "stop",
    "seek",
    "set",
    "status",
    "record",
    "save",
    "put",
    "window",
    "sequencer",
    "waveaudio!",
    "new",
    "alias",
    "type",
    "wait",
    "notify",
    "buffer",
    "shareable",
    "parent",
    "style",
    "from",
    "to",
    "start",
    "end",
    "repeat",
    "fullscreen",
    "time",
    "format",
    "milliseconds",
    "position",
    "length",
    "mode",
    "handle",
    "door",
    "at",
    "client",
    "source",
    "destination",
    "overwrite",
    "all",
    "\"",
    "!",
    "C:\\MY DIR\\A B.WAV",
    "-2147483649",
    "4294967296",
    "0",
    "\t",
    "\xC3\xA9\xFF",
    "capability",
    "info",
    "sysinfo",
    "cue",
    "where",
    "delete",
    "cdaudio",
    "d:",
    "track",
    "quantity",
    "name",
    "installname",
    "can",
    "tmsf",
    "1:2:3:4",
    "255:256",
    "16387",
});

std::string randomCommand(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
    std::string command;
    for (std::size_t n = length(random); n > 0; --n) {
        command += kWords[word(random)];
        if (random() % 4 != 0) command += ' ';
    }
    return command;
}

std::string mangled(std::string command, std::mt19937& random) {
    std::uniform_int_distribution<int> byte(1, 255);
    for (int edits = static_cast<int>(random() % 4); edits >= 0 && !command.empty(); --edits) {
        const std::size_t at = random() % command.size();
        switch (random() % 3) {
            case 0:
                command[at] = static_cast<char>(byte(random));
                break;
            case 1:
                command.erase(at, random() % 8);
                break;
            default:
                command.insert(at, 1, static_cast<char>(byte(random)));
                break;
        }
    }
    return command;
}

TEST(ParserFuzz, EveryInputGetsAResultWithAText) {
    std::mt19937 random(20261206);
    const std::array<std::string, 7> corpus = {
        "open Sequencer!C:\\MY MUSIC\\A B.MID alias MIDI wait",
        "open d: type cdaudio alias CD wait",
        "seek CD to 2:0:1:30 notify",
        "sysinfo all name 2 open wait",
        "put AVI source at 0 0 320 240 wait notify",
        "set REC samplespersec 44100 channels 2 bitspersample 16 alignment 4 bytespersec 176400",
        "open \"C:\\x y.wav\" type waveaudio alias W buffer 4 shareable",
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    int inputs = 0;
    for (; inputs < 200000 && std::chrono::steady_clock::now() < deadline; ++inputs) {
        const std::string command = inputs % 2
                                        ? randomCommand(random)
                                        : mangled(corpus[inputs / 2 % corpus.size()], random);
        const ParseResult parsed = ParseCommand(command);
        if (parsed.error != err::kNone) {
            ASSERT_FALSE(ErrorText(parsed.error).empty()) << parsed.error << ": " << command;
        } else if (parsed.command.verb == Verb::Open) {
            ASSERT_FALSE(parsed.command.device.empty()) << command;
        }
    }
    RecordProperty("inputs", inputs);
    EXPECT_GT(inputs, 1000);
}

}  // namespace
}  // namespace mci
