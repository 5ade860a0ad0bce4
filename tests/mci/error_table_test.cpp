// The error table: every number documented under its name, with a text that fits its buffer.
#include "platform/mci/error_table.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "platform/mci/error_codes.h"
#include "platform/multimedia.h"

namespace mci {
namespace {

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

// Numbers without a text and buffers that hold nothing give 0; a long text is cut to the buffer.
TEST(ErrorTable, TextsFitTheirBufferOrGiveZero) {
    std::array<char, 260> buffer{};
    for (const std::uint32_t number : {0u, 1u, 258u, 9999u, 0x10000u + 259u})
        EXPECT_EQ(mciGetErrorStringA(number, buffer.data(), buffer.size()), 0) << number;
    EXPECT_EQ(mciGetErrorStringA(err::kFileNotFound, nullptr, 260), 0);
    EXPECT_EQ(mciGetErrorStringA(err::kFileNotFound, buffer.data(), 0), 0);
    buffer.fill('#');
    EXPECT_NE(mciGetErrorStringA(err::kNonapplicableFunction, buffer.data(), 6), 0);
    EXPECT_EQ(std::string(buffer.data()),
              std::string(ErrorText(err::kNonapplicableFunction).substr(0, 5)));
    EXPECT_EQ(buffer[6], '#');
}

}  // namespace
}  // namespace mci
