// The error table and the two ways text leaves the service: error texts and replies.
#include "platform/mci/error_table.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "platform/mci/error_codes.h"
#include "platform/mci/reply_buffer.h"
#include "platform/multimedia.h"

namespace mci {
namespace {

// Every number the interpreter returns.
constexpr std::array kReturned = {
    err::kUnrecognizedKeyword,
    err::kUnrecognizedCommand,
    err::kHardware,
    err::kInvalidDeviceName,
    err::kDeviceOpen,
    err::kCannotLoadDriver,
    err::kMissingCommandString,
    err::kBadInteger,
    err::kMissingParameter,
    err::kUnsupportedFunction,
    err::kFileNotFound,
    err::kCannotUseAll,
    err::kOutOfRange,
    err::kFlagsNotCompatible,
    err::kFileNotSaved,
    err::kDeviceTypeRequired,
    err::kDuplicateAlias,
    err::kBadConstant,
    err::kMissingDeviceName,
    err::kDuplicateFlags,
    err::kInvalidFile,
    err::kNewRequiresAlias,
    err::kNonapplicableFunction,
    err::kSeqNoMidiPresent,
    err::kNoWindow,
    err::kFileRead,
    err::kFileWrite,
};

TEST(ErrorTable, EveryReturnedNumberHasATextThroughTheEntryPoint) {
    for (const ErrorCode number : kReturned) {
        std::array<char, 260> buffer{};
        EXPECT_NE(mciGetErrorStringA(number, buffer.data(), buffer.size()), 0) << number;
        EXPECT_GT(std::string(buffer.data()).size(), 10u) << number;
    }
}

TEST(ErrorTable, NumbersAndNamesAreUniqueAndNamed) {
    std::set<ErrorCode> numbers;
    std::set<std::string_view> names;
    for (const ErrorEntry& entry : AllErrors()) {
        EXPECT_TRUE(numbers.insert(entry.number).second) << entry.number;
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_TRUE(entry.name.starts_with("MCIERR_")) << entry.name;
    }
    EXPECT_EQ(numbers.size(), kReturned.size());
}

TEST(ErrorTable, NumbersWithoutTextGiveZero) {
    std::array<char, 260> buffer{};
    for (const std::uint32_t number : {0u, 1u, 258u, 9999u, 0x10000u + 259u})
        EXPECT_EQ(mciGetErrorStringA(number, buffer.data(), buffer.size()), 0) << number;
    EXPECT_EQ(mciGetErrorStringA(err::kFileNotFound, nullptr, 260), 0);
    EXPECT_EQ(mciGetErrorStringA(err::kFileNotFound, buffer.data(), 0), 0);
}

struct BufferCase {
    std::uint32_t length;
    const char* expected;
};

class ReplyBuffer : public testing::TestWithParam<BufferCase> {};

TEST_P(ReplyBuffer, NeverWritesPastItsLength) {
    std::array<char, 16> buffer;
    buffer.fill('#');
    WriteReply("playing", buffer.data(), GetParam().length);
    EXPECT_STREQ(buffer.data(), GetParam().expected);
    for (std::size_t i = GetParam().length; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#') << i;
}

INSTANTIATE_TEST_SUITE_P(Lengths, ReplyBuffer,
                         testing::Values(BufferCase{1, ""}, BufferCase{4, "pla"},
                                         BufferCase{7, "playin"}, BufferCase{8, "playing"},
                                         BufferCase{12, "playing"}));

TEST(ReplyBuffer, ZeroLengthTouchesNothing) {
    char untouched = '#';
    WriteReply("playing", &untouched, 0);
    WriteReply("playing", nullptr, 260);
    EXPECT_EQ(untouched, '#');
}

TEST(ErrorTable, LongTextIsCutToTheBuffer) {
    std::array<char, 8> buffer;
    buffer.fill('#');
    EXPECT_NE(mciGetErrorStringA(err::kNonapplicableFunction, buffer.data(), 6), 0);
    EXPECT_EQ(std::string(buffer.data()),
              std::string(ErrorText(err::kNonapplicableFunction).substr(0, 5)));
    EXPECT_EQ(buffer[6], '#');
}

}  // namespace
}  // namespace mci
