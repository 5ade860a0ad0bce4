// Only CUE sheets of the ordinary shape reach libcdio, which some releases crash on otherwise.
#include "platform/audio/cue_sheet_check.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kPlain =
    "REM made by a test\n"
    "FILE \"disc.bin\" BINARY\n"
    "  TRACK 01 AUDIO\n"
    "    INDEX 01 00:00:00\n"
    "  TRACK 02 AUDIO\n"
    "    PREGAP 00:02:00\n"
    "    INDEX 01 00:02:00\n";

struct Sheet {
    const char* name;
    std::string text;
    bool plain;
};

class CueSheetCheck : public testing::TestWithParam<Sheet> {};

TEST_P(CueSheetCheck, LetsOnlyOrdinarySheetsThrough) {
    EXPECT_EQ(audio::IsPlainCueSheet(GetParam().text), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CueSheetCheck,
    testing::Values(Sheet{"Plain", kPlain, true},
                    Sheet{"LowerCaseAndCarriageReturns",
                          "file \"a.bin\" binary\r\ntrack 1 audio\r\n", true},
                    Sheet{"Empty", "", false},
                    Sheet{"TrackBeforeFile", "TRACK 01 AUDIO\nFILE \"a.bin\" BINARY\n", false},
                    Sheet{"TrackZero", "FILE \"a.bin\" BINARY\nTRACK 00 AUDIO\n", false},
                    Sheet{"TrackHundred", "FILE \"a.bin\" BINARY\nTRACK 100 AUDIO\n", false},
                    // libcdio reads outside its tables for a disc that starts on a late track
                    Sheet{"FirstTrackNotOne", "FILE \"a.bin\" BINARY\nTRACK 69 AUDIO\n", false},
                    Sheet{"TracksSkipANumber",
                          "FILE \"a.bin\" BINARY\nTRACK 01 AUDIO\nTRACK 03 AUDIO\n", false},
                    Sheet{"UnknownTrackType", "FILE \"a.bin\" BINARY\nTRACK 01 VIDEO\n", false},
                    Sheet{"SecondsPastFiftyNine",
                          "FILE \"a\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:60:00\n", false},
                    Sheet{"FramePastSeventyFour",
                          "FILE \"a\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n", false},
                    Sheet{"IndexOutsideATrack", "FILE \"a\" BINARY\nINDEX 01 00:00:00\n", false},
                    Sheet{"UnknownCommand", std::string(kPlain) + "EJECT NOW\n", false},
                    Sheet{"ControlCharacter", std::string(kPlain) + "REM \x01\n", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
