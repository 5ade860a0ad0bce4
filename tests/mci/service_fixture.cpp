#include "tests/mci/service_fixture.h"

#include <array>

#include "platform/audio/engine.h"
#include "platform/mci/mixer_levels.h"
#include "platform/multimedia.h"

namespace mci_test {

Reply Send(const std::string& command, std::int32_t window) {
    std::array<char, 260> buffer{};
    const std::uint32_t code =
        mciSendStringA(command.c_str(), buffer.data(), buffer.size(), window);
    if (code != 0) mciGetErrorStringA(code, buffer.data(), buffer.size());
    return {code, buffer.data()};
}

std::int64_t NumberOf(const std::string& command) {
    const Reply reply = Send(command);
    EXPECT_EQ(reply.code, 0u) << command << ": " << reply.text;
    return reply.code == 0 ? std::stoll(reply.text) : -1;
}

void ServiceTest::SetUpTestSuite() {
    static const bool chosen = audio::Engine::ChooseSink("null");
    EXPECT_TRUE(chosen || audio::Engine::Shared().SinkName() == "null");
    mixer::FollowMachineVolume(false);
}

void ServiceTest::TearDown() {
    Send("close all wait");
}

std::string ServiceTest::Write(const std::string& name, const std::string& bytes) const {
    return folder.Write(name, bytes).string();
}

}  // namespace mci_test
