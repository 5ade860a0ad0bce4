// The SDL sink through SDL's disk driver, which writes the stream to a file in real time; without
// SDL audio started by the application the null sink takes over, still keeping time.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/audio/engine.h"
#include "platform/audio/player.h"
#include "platform/audio/sdl_audio_session.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

// Plays `frames` of a tone of amplitude 0.5 to its end.
std::int64_t PlayToTheEnd(const test_support::TempFolder& dir, std::int64_t frames) {
    const auto tone =
        audio::LoadWaveFile(dir.Write("tone.wav", sound_files::MakeWave({.frames = frames})));
    EXPECT_EQ(tone.error, audio::LoadError::None);
    audio::Player player(tone.clip);
    player.Play(std::nullopt, std::nullopt, false);
    player.WaitWhilePlaying();
    return player.PositionMs();
}

TEST(SdlSinkTest, PlaysThroughSdlsDiskDriver) {
    test_support::TempFolder dir;
    const auto output = dir.path() / "sdl-out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    {
        audio::SdlAudioSession session;
        ASSERT_TRUE(audio::Engine::ChooseSink("sdl"));
        ASSERT_EQ(audio::Engine::Shared().SinkName(), "sdl");
        EXPECT_EQ(PlayToTheEnd(dir, 8820), 200);
    }
    // The session has ended, which closed the device and flushed the file.
    std::ifstream in(output, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    EXPECT_NEAR(sound_files::Peak(samples), 0.5, 0.01);
}

TEST(SdlFallbackTest, TheNullSinkTakesOverWhenSdlDoesNotOpen) {
    ASSERT_TRUE(audio::Engine::ChooseSink("sdl"));
    EXPECT_EQ(audio::Engine::Shared().SinkName(), "null");
    test_support::TempFolder dir;
    EXPECT_EQ(PlayToTheEnd(dir, 4410), 100);
}

}  // namespace
