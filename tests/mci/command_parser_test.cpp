// Command strings as the program and hand-typed sessions send them, what they parse to, and
// random ones.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/mci/command.h"
#include "platform/mci/error_codes.h"
#include "platform/mci/error_table.h"
#include "tests/support/byte_mutation.h"

namespace mci {
namespace {

struct OpenCase {
    const char* text;
    const char* deviceType;
    const char* element;
    const char* alias;  // nullptr: no alias flag
    bool wait;
};

class OpenTargets : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenTargets, SplitIntoTypeElementAndFlags) {
    const OpenCase& row = GetParam();
    const ParseResult parsed = ParseCommand(row.text);
    ASSERT_EQ(parsed.error, err::kNone) << row.text;
    EXPECT_EQ(parsed.command.verb, Verb::Open);
    EXPECT_EQ(parsed.command.deviceType, row.deviceType);
    EXPECT_EQ(parsed.command.element, row.element);
    if (row.alias)
        EXPECT_EQ(parsed.command.Word(Flag::Alias), row.alias);
    else
        EXPECT_FALSE(parsed.command.Has(Flag::Alias));
    EXPECT_EQ(parsed.command.Has(Flag::Wait), row.wait);
}

INSTANTIATE_TEST_SUITE_P(
    Command, OpenTargets,
    testing::Values(
        OpenCase{"OPEN waveaudio!C:\\SOUNDS\\DING.WAV ALIAS WAVE WAIT BUFFER 4", "waveaudio",
                 "C:\\SOUNDS\\DING.WAV", "WAVE", true},
        // A keyword inside a path does not end it when the rest would not read as options.
        OpenCase{"open Sequencer!C:\\A WAIT B.MID alias X", "sequencer", "C:\\A WAIT B.MID", "X",
                 false},
        OpenCase{"open C:\\SHAREABLE\\A.WAV alias W", "", "C:\\SHAREABLE\\A.WAV", "W", false},
        OpenCase{"open \"C:\\My Music\\a b.mid\" type sequencer alias MIDI", "",
                 "C:\\My Music\\a b.mid", "MIDI", false},
        OpenCase{"open sequencer!\"/tmp/x alias y.mid\" alias Q", "sequencer", "/tmp/x alias y.mid",
                 "Q", false},
        OpenCase{"open /tmp/two  spaces.wav", "", "/tmp/two  spaces.wav", nullptr, false},
        OpenCase{"open /tmp/say \"hi\".wav alias Q", "", "/tmp/say \"hi\".wav", "Q", false},
        OpenCase{"open Sequencer alias MIDI wait", "sequencer", "", "MIDI", true},
        OpenCase{"  open\tC:\\S\\ÄÖ.WAV   alias  W  ", "", "C:\\S\\ÄÖ.WAV", "W", false}));

struct ErrorCase {
    const char* text;
    ErrorCode error;
};

class Faults : public testing::TestWithParam<ErrorCase> {};

// "a.wav" exists, so a fault in the options after it is not taken for part of its name.
bool onlyAWavExists(const std::string& path) {
    return path == "a.wav";
}

TEST_P(Faults, GiveTheirNumber) {
    EXPECT_EQ(ParseCommand(GetParam().text, onlyAWavExists).error, GetParam().error)
        << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Command, Faults,
    testing::Values(ErrorCase{" \t ", err::kMissingCommandString},
                    ErrorCase{"dance MIDI", err::kUnrecognizedCommand},
                    ErrorCase{"\"play\" MIDI", err::kUnrecognizedCommand},
                    ErrorCase{"play", err::kMissingDeviceName},
                    ErrorCase{"open alias x", err::kMissingDeviceName},
                    ErrorCase{"open \"\" alias x", err::kMissingDeviceName},
                    ErrorCase{"open sequencer! alias x", err::kMissingParameter},
                    ErrorCase{"play MIDI wait wait", err::kDuplicateFlags},
                    ErrorCase{"open a.wav alias x alias y", err::kDuplicateFlags},
                    ErrorCase{"play MIDI from", err::kBadInteger},
                    ErrorCase{"play MIDI from 12x", err::kBadInteger},
                    ErrorCase{"play MIDI to 99999999999", err::kBadInteger},
                    ErrorCase{"open a.wav alias", err::kMissingParameter},
                    ErrorCase{"play MIDI repeat wait", err::kFlagsNotCompatible},
                    ErrorCase{"seek MIDI", err::kMissingParameter},
                    ErrorCase{"status MIDI", err::kMissingParameter},
                    ErrorCase{"set MIDI", err::kMissingParameter},
                    ErrorCase{"set MIDI wait", err::kMissingParameter},
                    ErrorCase{"set CD door open door closed", err::kFlagsNotCompatible},
                    ErrorCase{"save REC wait", err::kMissingParameter},
                    ErrorCase{"put AVI source at 1 2 3", err::kBadInteger},
                    ErrorCase{"window AVI", err::kMissingParameter}));

struct FlagCase {
    const char* text;
    Flag flag;
    FlagValue value;
};

class Values : public testing::TestWithParam<FlagCase> {};

TEST_P(Values, AreReadWithTheirFlag) {
    const ParseResult parsed = ParseCommand(GetParam().text);
    ASSERT_EQ(parsed.error, err::kNone) << GetParam().text;
    ASSERT_TRUE(parsed.command.Has(GetParam().flag)) << GetParam().text;
    EXPECT_EQ(parsed.command.flags.at(GetParam().flag), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Command, Values,
    testing::Values(
        FlagCase{"put AVI window client", Flag::PutWindowClient, std::monostate{}},
        FlagCase{"put AVI window at -10 0 320 240", Flag::PutWindow, Rect{-10, 0, 320, 240}},
        FlagCase{"put AVI source at 0 0 320 240", Flag::PutSource, Rect{0, 0, 320, 240}},
        FlagCase{"window AVI text \"A caption\"", Flag::Text, std::string("A caption")}));

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

struct DeviceCase {
    const char* text;
    const char* device;
    const char* element;  // nullptr: not checked
};

class Devices : public testing::TestWithParam<DeviceCase> {};

TEST_P(Devices, AreNamedWithTheElementTheyActOn) {
    const ParseResult parsed = ParseCommand(GetParam().text);
    ASSERT_EQ(parsed.error, err::kNone) << GetParam().text;
    EXPECT_EQ(parsed.command.device, GetParam().device) << GetParam().text;
    if (GetParam().element) {
        EXPECT_EQ(parsed.command.element, GetParam().element);
    }
}

// A save path runs to the end of the line or to its options.
INSTANTIATE_TEST_SUITE_P(
    Command, Devices,
    testing::Values(DeviceCase{"save REC \"/tmp/a b.wav\" wait", "REC", "/tmp/a b.wav"},
                    DeviceCase{"play \"my alias\" from 5", "my alias", nullptr},
                    DeviceCase{"open Sequencer!C:\\A.MID", "C:\\A.MID", "C:\\A.MID"}));

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
        const std::string command = inputs % 2
                                        ? randomCommand(words, random)
                                        : test_support::MutateBytes(corpus[inputs / 2 % corpus.size()], random);
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
