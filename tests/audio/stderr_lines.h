#pragma once
// What was written to standard error since testing::internal::CaptureStderr, line by line.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace audio_test {

inline std::vector<std::string> CapturedStderrLines() {
    std::istringstream in(testing::internal::GetCapturedStderr());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace audio_test
