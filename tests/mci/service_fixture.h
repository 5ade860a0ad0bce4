#pragma once
// Sends commands through mciSendStringA to the real interpreter on the null audio sink.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "platform/audio/engine.h"
#include "platform/mixer/mixer_levels.h"
#include "platform/multimedia.h"
#include "tests/support/temp_folder.h"

namespace mci_test {

struct Reply {
    std::uint32_t code;
    std::string text;  // the reply, or the error's text
};

inline Reply Send(const std::string& command, std::int32_t window = 0) {
    std::array<char, 260> buffer{};
    const std::uint32_t code =
        mciSendStringA(command.c_str(), buffer.data(), buffer.size(), window);
    if (code != 0) mciGetErrorStringA(code, buffer.data(), buffer.size());
    return {code, buffer.data()};
}

// A status reply read as a number.
inline std::int64_t NumberOf(const std::string& command) {
    const Reply reply = Send(command);
    EXPECT_EQ(reply.code, 0u) << command << ": " << reply.text;
    return reply.code == 0 ? std::stoll(reply.text) : -1;
}

class ServiceTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        static const bool chosen = audio::Engine::ChooseSink("null");
        EXPECT_TRUE(chosen || audio::Engine::Shared().SinkName() == "null");
        mixer::FollowMachineVolume(false);
    }
    void TearDown() override { Send("close all wait"); }

    // Writes a file into the test's folder and returns its Linux path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        return folder.Write(name, bytes).string();
    }

    test_support::TempFolder folder;
};

}  // namespace mci_test
