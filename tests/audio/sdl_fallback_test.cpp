// Without SDL audio started by the application the SDL sink does not open, and the null sink
// takes over, still keeping time.
#include <gtest/gtest.h>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "sound_files.h"

namespace {

TEST(SdlFallbackTest, TheNullSinkTakesOverWhenSdlDoesNotOpen) {
    ASSERT_TRUE(audio::Engine::ChooseSink("sdl"));
    EXPECT_EQ(audio::Engine::Shared().SinkName(), "null");
    audio_test::ScratchDir dir;
    const auto tone =
        audio::LoadWaveFile(dir.Write("t.wav", audio_test::MakeWave({.frames = 4410})));
    audio::Player player(tone.clip);
    player.Play(std::nullopt, std::nullopt, false);
    player.WaitWhilePlaying();
    EXPECT_EQ(player.PositionMs(), 100);
}

}  // namespace
