// Command strings as the program and hand-typed sessions send them, and what they parse to.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/mci/command.h"
#include "platform/mci/error_codes.h"

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
        OpenCase{"open Sequencer!C:\\MUSIC\\SONG.MID alias MIDI wait", "sequencer",
                 "C:\\MUSIC\\SONG.MID", "MIDI", true},
        OpenCase{"open Sequencer!C:\\MY MUSIC\\A B.MID alias MIDI wait", "sequencer",
                 "C:\\MY MUSIC\\A B.MID", "MIDI", true},
        OpenCase{"OPEN waveaudio!C:\\SOUNDS\\DING.WAV ALIAS WAVE WAIT BUFFER 4", "waveaudio",
                 "C:\\SOUNDS\\DING.WAV", "WAVE", true},
        // A keyword inside a path does not end it when the rest would not read as options.
        OpenCase{"open Sequencer!C:\\A WAIT B.MID alias X", "sequencer", "C:\\A WAIT B.MID", "X",
                 false},
        OpenCase{"open Sequencer!C:\\MY ALIAS FILES\\X.MID alias M wait", "sequencer",
                 "C:\\MY ALIAS FILES\\X.MID", "M", true},
        OpenCase{"open C:\\SHAREABLE\\A.WAV alias W", "", "C:\\SHAREABLE\\A.WAV", "W", false},
        OpenCase{"open \"C:\\My Music\\a b.mid\" type sequencer alias MIDI", "",
                 "C:\\My Music\\a b.mid", "MIDI", false},
        OpenCase{"open sequencer!\"/tmp/x alias y.mid\" alias Q", "sequencer", "/tmp/x alias y.mid",
                 "Q", false},
        OpenCase{"open /tmp/two  spaces.wav", "", "/tmp/two  spaces.wav", nullptr, false},
        OpenCase{"open /tmp/say \"hi\".wav alias Q", "", "/tmp/say \"hi\".wav", "Q", false},
        OpenCase{"open Sequencer alias MIDI wait", "sequencer", "", "MIDI", true},
        OpenCase{"open new type waveaudio alias REC buffer 5", "new", "", "REC", false},
        OpenCase{"open d: type cdaudio alias CD wait shareable", "", "d:", "CD", true},
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
    testing::Values(
        ErrorCase{"", err::kMissingCommandString}, ErrorCase{" \t ", err::kMissingCommandString},
        ErrorCase{"dance MIDI", err::kUnrecognizedCommand},
        ErrorCase{"\"play\" MIDI", err::kUnrecognizedCommand},
        ErrorCase{"play", err::kMissingDeviceName}, ErrorCase{"open", err::kMissingDeviceName},
        ErrorCase{"open alias x", err::kMissingDeviceName},
        ErrorCase{"open \"\" alias x", err::kMissingDeviceName},
        ErrorCase{"open sequencer! alias x", err::kMissingParameter},
        ErrorCase{"play MIDI loudly", err::kUnrecognizedKeyword},
        ErrorCase{"play MIDI wait wait", err::kDuplicateFlags},
        ErrorCase{"open a.wav alias x alias y", err::kDuplicateFlags},
        ErrorCase{"play MIDI from", err::kBadInteger},
        ErrorCase{"play MIDI from ten", err::kBadInteger},
        ErrorCase{"play MIDI from 12x", err::kBadInteger},
        ErrorCase{"play MIDI to 99999999999", err::kBadInteger},
        ErrorCase{"open a.wav alias", err::kMissingParameter},
        ErrorCase{"play MIDI repeat wait", err::kFlagsNotCompatible},
        ErrorCase{"seek MIDI", err::kMissingParameter}, ErrorCase{"seek MIDI to", err::kBadInteger},
        ErrorCase{"seek MIDI to start to end", err::kFlagsNotCompatible},
        ErrorCase{"status MIDI", err::kMissingParameter},
        ErrorCase{"status MIDI position mode", err::kFlagsNotCompatible},
        ErrorCase{"status MIDI volume", err::kUnrecognizedKeyword},
        ErrorCase{"set MIDI", err::kMissingParameter},
        ErrorCase{"set MIDI wait", err::kMissingParameter},
        ErrorCase{"set MIDI time format", err::kMissingParameter},
        ErrorCase{"set CD door open door closed", err::kFlagsNotCompatible},
        ErrorCase{"set REC channels two", err::kBadInteger},
        ErrorCase{"record REC overwrite insert", err::kFlagsNotCompatible},
        ErrorCase{"save REC", err::kMissingParameter},
        ErrorCase{"save REC wait", err::kMissingParameter},
        ErrorCase{"put AVI", err::kMissingParameter},
        ErrorCase{"put AVI source at 1 2 3", err::kBadInteger},
        ErrorCase{"put AVI window window client", err::kFlagsNotCompatible},
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
        FlagCase{"play WAVE from 0 to 500 repeat", Flag::To, std::int64_t{500}},
        FlagCase{"play WAVE from 0 to 500 repeat", Flag::Repeat, std::monostate{}},
        FlagCase{"seek WAVE to -1 wait", Flag::To, std::int64_t{-1}},
        FlagCase{"seek WAVE to start", Flag::ToStart, std::monostate{}},
        FlagCase{"Seek Wave TO END", Flag::ToEnd, std::monostate{}},
        FlagCase{"set MIDI time format milliseconds", Flag::TimeFormat,
                 std::string("milliseconds")},
        FlagCase{"set REC samplespersec 44100 channels 2 bitspersample 16 alignment 4 "
                 "bytespersec 176400",
                 Flag::BytesPerSec, std::int64_t{176400}},
        FlagCase{"Set CD door open wait", Flag::DoorOpen, std::monostate{}},
        FlagCase{"status MIDI mode wait", Flag::Mode, std::monostate{}},
        FlagCase{"status AVI window handle wait", Flag::WindowHandle, std::monostate{}},
        FlagCase{"status x time format", Flag::TimeFormatItem, std::monostate{}},
        FlagCase{"record REC overwrite", Flag::Overwrite, std::monostate{}},
        FlagCase{"put AVI window", Flag::PutWindow, std::monostate{}},
        FlagCase{"put AVI window client", Flag::PutWindowClient, std::monostate{}},
        FlagCase{"put AVI window at -10 0 320 240", Flag::PutWindow, Rect{-10, 0, 320, 240}},
        FlagCase{"put AVI source at 0 0 320 240", Flag::PutSource, Rect{0, 0, 320, 240}},
        FlagCase{"put AVI destination", Flag::PutDestination, std::monostate{}},
        FlagCase{"window AVI text \"A caption\"", Flag::Text, std::string("A caption")},
        FlagCase{"open x.avi alias v wait parent 1234", Flag::Parent, std::int64_t{1234}},
        FlagCase{"status MIDI position notify", Flag::Notify, std::monostate{}}));

TEST(Command, AnExistingFileEndsAPathBeforeALaterValidEnd) {
    const char* text = "open Sequencer!C:\\A WAIT B.MID alias X";
    EXPECT_EQ(ParseCommand(text).command.element, "C:\\A WAIT B.MID");
    const ParseResult probed =
        ParseCommand(text, [](const std::string& path) { return path == "C:\\A"; });
    EXPECT_EQ(probed.error, err::kUnrecognizedKeyword);
}

TEST(Command, ALineOfOptionWordsIsReadInBoundedTime) {
    std::string options;
    for (int i = 0; i < 5000; ++i) options += " style s";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ParseCommand("open x" + options, onlyAWavExists).error, err::kNone);
    // Every possible end of the path reads the whole line and fails at its end.
    EXPECT_EQ(ParseCommand("open x" + options + " style", onlyAWavExists).error,
              err::kMissingParameter);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Command, StyleMayBeRepeatedAndKeepsItsOrder) {
    const ParseResult parsed =
        ParseCommand("open C:\\V.AVI alias AVI wait parent 1234 style child style 5");
    ASSERT_EQ(parsed.error, err::kNone);
    EXPECT_EQ(parsed.command.styles, (std::vector<std::string>{"child", "5"}));
}

TEST(Command, SavePathRunsToTheEndOrToItsOptions) {
    const ParseResult plain = ParseCommand("save REC C:\\MY RECORDINGS\\TAKE 1.WAV");
    ASSERT_EQ(plain.error, err::kNone);
    EXPECT_EQ(plain.command.device, "REC");
    EXPECT_EQ(plain.command.element, "C:\\MY RECORDINGS\\TAKE 1.WAV");

    const ParseResult waiting = ParseCommand("save REC \"/tmp/a b.wav\" wait");
    ASSERT_EQ(waiting.error, err::kNone);
    EXPECT_EQ(waiting.command.element, "/tmp/a b.wav");
    EXPECT_TRUE(waiting.command.Has(Flag::Wait));
}

TEST(Command, NamesTheDeviceItActsOn) {
    EXPECT_EQ(ParseCommand("close all wait").command.device, "all");
    EXPECT_EQ(ParseCommand("play \"my alias\" from 5").command.device, "my alias");
    EXPECT_EQ(ParseCommand("open Sequencer!C:\\A.MID").command.device, "C:\\A.MID");
    EXPECT_EQ(ParseCommand("open waveaudio wait").command.device, "waveaudio");
}

}  // namespace
}  // namespace mci
