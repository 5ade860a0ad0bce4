// Without SDL audio started by the application the SDL sink does not open, and the null sink
// takes over, still keeping time.
#include <gtest/gtest.h>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(SdlFallbackTest, TheNullSinkTakesOverWhenSdlDoesNotOpen) {
    ASSERT_TRUE(audio::Engine::ChooseSink("sdl"));
    EXPECT_EQ(audio::Engine::Shared().SinkName(), "null");
    test_support::TempFolder dir;
    const auto tone =
        audio::LoadWaveFile(dir.Write("t.wav", sound_files::MakeWave({.frames = 4410})));
    audio::Player player(tone.clip);
    player.Play(std::nullopt, std::nullopt, false);
    player.WaitWhilePlaying();
    EXPECT_EQ(player.PositionMs(), 100);
}

}  // namespace
