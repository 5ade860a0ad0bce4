#pragma once
// Sends commands through mciSendStringA to the real interpreter on the null audio sink.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/temp_folder.h"

namespace mci_test {

struct Reply {
    std::uint32_t code;
    std::string text;  // the reply, or the error's text
};

Reply Send(const std::string& command, std::int32_t window = 0);
std::int64_t NumberOf(const std::string& command);  // a status reply read as a number

class ServiceTest : public testing::Test {
  protected:
    static void SetUpTestSuite();
    void TearDown() override;

    // Writes a file into the test's folder and returns its Linux path.
    std::string Write(const std::string& name, const std::string& bytes) const;

    test_support::TempFolder folder;
};

}  // namespace mci_test
