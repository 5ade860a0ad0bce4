#pragma once
// Tests on the null sink: real-time pacing without sound hardware.
#include <gtest/gtest.h>

#include "tests/support/eventually.h"
#include "platform/audio/engine.h"

namespace audio_test {

using test_support::Eventually;

class NullEngineTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        audio::Engine::ChooseSink("null");
        ASSERT_EQ(audio::Engine::Shared().SinkName(), "null");
    }
    void SetUp() override {
        for (auto line : {audio::Line::Master, audio::Line::Wave, audio::Line::Midi})
            audio::Engine::Shared().SetLineGain(line, 1.0f);
    }
};

}  // namespace audio_test
