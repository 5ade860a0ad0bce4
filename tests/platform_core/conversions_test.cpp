#include <gtest/gtest.h>

#include <cmath>

#include "platform/runtime_error.h"
#include "platform/vb_types.h"

namespace {

template <typename Value>
void ExpectError(Value value, std::int32_t number) {
    try {
        CInt(value);
        ADD_FAILURE() << value;
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Number, number) << value;
    }
}

// Text as a hand-edited setting gives it is checked through the window's saved volume.
TEST(Conversions, NumbersRoundHalvesToTheEvenNeighbourAndOthersRaise) {
    const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-3.5, -4},
                                            {2.4999, 2}, {32766.5, 32766}};
    for (auto [value, expected] : cases) EXPECT_EQ(CInt(value), expected) << value;
    EXPECT_EQ(CLng(0.49999 * 65535), 32767);
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    for (double value : {32767.5, -32769.0, 1e300, std::nan("")}) ExpectError(value, vberr::Overflow);
    EXPECT_THROW(CLng(2147483648.0), RuntimeError);
    EXPECT_EQ(CInt(std::string("2.5")), 2);
    for (const char* text : {"   ", "12abc", "1,5", "0x10"}) ExpectError(std::string(text), vberr::TypeMismatch);
}

TEST(Conversions, UpperCaseKeepsEveryCharacterInItsPlaceAndTrimStripsOnlySpaces) {
    EXPECT_EQ(UCase("c:\\my music\\ärger.mid"), "C:\\MY MUSIC\\ÄRGER.MID");
    EXPECT_EQ(UCase("straße"), "STRAßE");  // not "STRASSE": the name must still resolve
    EXPECT_EQ(UCase("日本.mid"), "日本.MID");
    EXPECT_EQ(Trim("  MIDI  "), "MIDI");
    EXPECT_EQ(Trim("\tMIDI "), "\tMIDI");
    EXPECT_EQ(Trim("    "), "");
    EXPECT_EQ(CStr(-1), "-1");
}

}  // namespace
