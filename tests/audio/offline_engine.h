#pragma once
// Tests that pull the mix by hand through the offline sink: no clock, so positions and what
// plays follow exactly from the frames pulled.
#include <gtest/gtest.h>

#include <vector>

#include "platform/audio/engine.h"
#include "tests/support/eventually.h"

namespace audio_test {

using test_support::Eventually;

class OfflineEngineTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        audio::Engine::ChooseSink("offline");
        ASSERT_EQ(audio::Engine::Shared().SinkName(), "offline");
    }
    void SetUp() override {
        for (auto line :
             {audio::Line::Master, audio::Line::Wave, audio::Line::Midi, audio::Line::Cd})
            audio::Engine::Shared().SetLineGain(line, 1.0f);
    }

    // The next `frames` stereo frames of the mix.
    static std::vector<float> Pull(int frames) {
        std::vector<float> out(2 * std::size_t(frames));
        EXPECT_TRUE(audio::Engine::Shared().Pull(out.data(), frames));
        return out;
    }
};

}  // namespace audio_test
