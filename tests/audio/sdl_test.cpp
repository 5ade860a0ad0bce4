// The SDL sink through SDL's disk driver, which writes the stream to a file in real time; the null
// sink that takes over where SDL does not open is the window's first-use test's.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "platform/audio/sdl_audio_session.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(SdlSinkTest, PlaysThroughSdlsDiskDriver) {
    test_support::TempFolder dir;
    const auto output = dir.path() / "sdl-out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    {
        audio::SdlAudioSession session;
        ASSERT_TRUE(audio::Engine::ChooseSink("sdl"));
        ASSERT_EQ(audio::Engine::Shared().SinkName(), "sdl");
        const auto tone =
            audio::LoadWaveFile(dir.Write("tone.wav", sound_files::MakeWave({.frames = 8820})));
        ASSERT_EQ(tone.error, audio::LoadError::None);
        audio::Player player(tone.clip);
        player.Play(std::nullopt, std::nullopt, false);
        player.WaitWhilePlaying();
        EXPECT_EQ(player.PositionMs(), 200);
    }
    // The session has ended, which closed the device and flushed the file.
    const std::string bytes = dir.Read("sdl-out.raw");
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    EXPECT_NEAR(sound_files::Peak(samples), 0.5, 0.01);
}

}  // namespace
