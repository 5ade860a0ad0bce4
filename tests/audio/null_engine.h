#pragma once
// Every playback test runs on the null sink: real-time pacing without sound hardware.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "platform/audio/engine.h"

namespace audio_test {

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

// Polls `condition` until it holds or `limit` passes; true when it held.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds limit = std::chrono::seconds(5)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace audio_test
