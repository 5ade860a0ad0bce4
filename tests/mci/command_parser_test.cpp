// Command strings refused before any device sees them, and the error table refusals come from.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/mci/command.h"
#include "platform/mci/error_codes.h"
#include "platform/mci/error_table.h"
#include "platform/multimedia.h"
#include "tests/support/byte_mutation.h"

namespace mci {
namespace {

// "a.wav" exists, so a fault in the options after it is not taken for part of its name.
bool onlyAWavExists(const std::string& path) {
    return path == "a.wav";
}

TEST(Command, FaultsGiveTheirNumber) {
    for (const auto& [text, error] : std::initializer_list<std::pair<const char*, ErrorCode>>{
             {" \t ", err::kMissingCommandString},
             {"dance MIDI", err::kUnrecognizedCommand},
             {"\"play\" MIDI", err::kUnrecognizedCommand},
             {"play", err::kMissingDeviceName},
             {"open alias x", err::kMissingDeviceName},
             {"open \"\" alias x", err::kMissingDeviceName},
             {"open sequencer! alias x", err::kMissingParameter},
             {"open a.wav alias x alias y", err::kDuplicateFlags},
             {"play MIDI from", err::kBadInteger},
             {"play MIDI from 12x", err::kBadInteger},
             {"play MIDI to 99999999999", err::kBadInteger},
             {"open a.wav alias", err::kMissingParameter},
             {"play MIDI repeat wait", err::kFlagsNotCompatible},
             {"set MIDI wait", err::kMissingParameter},
             {"save REC wait", err::kMissingParameter},
         })
        EXPECT_EQ(ParseCommand(text, onlyAWavExists).error, error) << text;
}

TEST(Command, AnExistingFileEndsAPathBeforeALaterValidEnd) {
    const char* text = "open Sequencer!C:\\A WAIT B.MID alias X";
    EXPECT_EQ(ParseCommand(text).command.element, "C:\\A WAIT B.MID");
    const ParseResult probed =
        ParseCommand(text, [](const std::string& path) { return path == "C:\\A"; });
    EXPECT_EQ(probed.error, err::kUnrecognizedKeyword);
}

// Each end tried for the path reads the rest of the line again, so the ends tried are bounded.
TEST(Command, ALineOfOptionWordsTriesFewEndsForItsPath) {
    std::string options;
    for (int i = 0; i < 5000; ++i) options += " style s";
    int probes = 0;
    const auto probe = [&probes](const std::string&) {
        ++probes;
        return false;
    };
    EXPECT_EQ(ParseCommand("open x" + options, probe).error, err::kNone);
    EXPECT_EQ(ParseCommand("open x" + options + " style", probe).error, err::kMissingParameter);
    EXPECT_LT(probes, 100);
}

// Random and mangled command strings for a bounded time: every input gives a result, and every
// error a text. Under the sanitizers, this is where the parser's out-of-range reads show up.
std::vector<std::string> fuzzWords() {
    std::vector<std::string> words;
    std::istringstream list(
        "open|close|play|pause|resume|stop|seek|set|status|record|save|put|window|sequencer|"
        "waveaudio!|new|alias|type|wait|notify|buffer|shareable|parent|style|from|to|start|end|"
        "repeat|fullscreen|time|format|milliseconds|position|length|mode|handle|door|at|client|"
        "source|destination|overwrite|all|\"|!|C:\\MY DIR\\A B.WAV|-2147483649|4294967296|0|\t|"
        "\xC3\xA9\xFF|capability|info|sysinfo|cue|where|delete|cdaudio|d:|track|quantity|name|"
        "installname|can|tmsf|1:2:3:4|255:256|16387");
    for (std::string word; std::getline(list, word, '|');) words.push_back(word);
    return words;
}

std::string randomCommand(const std::vector<std::string>& words, std::mt19937& random) {
    std::string command;
    for (std::size_t n = random() % 13; n > 0; --n) {
        command += words[random() % words.size()];
        if (random() % 4 != 0) command += ' ';
    }
    return command;
}

TEST(ParserFuzz, EveryInputGetsAResultWithAText) {
    std::mt19937 random(20261206);
    const std::vector<std::string> words = fuzzWords();
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
        const std::string command =
            inputs % 2 ? randomCommand(words, random)
                       : test_support::MutateBytes(corpus[inputs / 2 % corpus.size()], random);
        const ParseResult parsed = ParseCommand(command);
        if (parsed.error != err::kNone) {
            ASSERT_FALSE(ErrorText(parsed.error).empty()) << parsed.error << ": " << command;
        } else if (parsed.command.verb == Verb::Open) {
            ASSERT_FALSE(parsed.command.device.empty()) << command;
        }
    }
    EXPECT_GT(inputs, 1000);
}

// The documented numbers, one "name<TAB>number<TAB>when" row a line after a heading.
std::map<ErrorCode, std::string> readDocumented(const std::filesystem::path& file) {
    std::ifstream rows(file);
    std::map<ErrorCode, std::string> documented;
    std::string line;
    std::getline(rows, line);
    for (std::string name; std::getline(rows, line);) {
        std::istringstream fields(line);
        if (ErrorCode number = 0; std::getline(fields, name, '\t') && fields >> number)
            documented[number] = name;
    }
    return documented;
}

TEST(ErrorTable, EveryNumberIsDocumentedUnderItsNameWithATextOfItsOwn) {
    const std::filesystem::path file = MCI_ERRORS_TSV;
    const auto documented = readDocumented(file);
    ASSERT_FALSE(documented.empty()) << file;
    std::set<ErrorCode> numbers;
    std::set<std::string_view> names;
    for (const ErrorEntry& entry : AllErrors()) {
        ASSERT_TRUE(documented.contains(entry.number)) << entry.number << " is not documented";
        EXPECT_EQ(documented.at(entry.number), entry.name) << entry.number;
        EXPECT_TRUE(numbers.insert(entry.number).second) << entry.number;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        std::array<char, 260> buffer{};
        EXPECT_NE(mciGetErrorStringA(entry.number, buffer.data(), buffer.size()), 0)
            << entry.number;
        EXPECT_GT(std::string(buffer.data()).size(), 10u) << entry.number;
    }
}

}  // namespace
}  // namespace mci
