// Players on the null sink: positions move in real time, and pause, seek, "to", repeat, the
// end of the clip, waiting and the finished notice behave for WAVE and MIDI alike.
#include "platform/audio/player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "null_engine.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Player;
using audio::PlayState;
using audio_test::Eventually;
using namespace std::chrono_literals;

enum class Kind { Wave, Midi };

std::shared_ptr<const audio::Clip> LoadTwoSecondClip(Kind kind, const test_support::TempFolder& dir) {
    audio::LoadResult result =
        kind == Kind::Wave
            ? audio::LoadWaveFile(dir.Write("two.wav", sound_files::MakeWave({.frames = 88200})))
            : audio::LoadMidiFile(dir.Write("two.mid", sound_files::MakeSong(2)));
    EXPECT_EQ(result.error, audio::LoadError::None) << result.detail;
    return result.clip;
}

class PlayerTest : public audio_test::NullEngineTest, public ::testing::WithParamInterface<Kind> {
  protected:
    test_support::TempFolder dir_;
};

TEST_P(PlayerTest, StartsStoppedAtZero) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 0);
    EXPECT_EQ(player.LengthMs(), 2000);
}

TEST_P(PlayerTest, PositionAdvancesInRealTimeAndPauseHoldsIt) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    const auto started = std::chrono::steady_clock::now();
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_EQ(player.State(), PlayState::Playing);
    std::this_thread::sleep_for(300ms);
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - started)
                             .count();
    const std::int64_t position = player.PositionMs();
    EXPECT_GE(position, 200);
    EXPECT_LE(position, elapsed + 20);

    player.Pause();
    EXPECT_EQ(player.State(), PlayState::Paused);
    const std::int64_t held = player.PositionMs();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(player.PositionMs(), held);

    player.Resume();
    EXPECT_EQ(player.State(), PlayState::Playing);
    EXPECT_TRUE(Eventually([&] { return player.PositionMs() > held + 50; }));
}

TEST_P(PlayerTest, SeekStopsAtTheGivenPositionClamped) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    player.Play(std::nullopt, std::nullopt, false);
    player.Seek(1500);
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 1500);
    player.Seek(99999);
    EXPECT_EQ(player.PositionMs(), 2000);
    player.Seek(-5);
    EXPECT_EQ(player.PositionMs(), 0);
}

TEST_P(PlayerTest, PlayFromToStopsAtTo) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(1000, 1200, false);
    EXPECT_GE(player.PositionMs(), 1000);
    player.WaitWhilePlaying();
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 1200);
    EXPECT_TRUE(Eventually([&] { return finished.load() == 1; }));
}

TEST_P(PlayerTest, EndStopsAtTheEndAndWaitReturns) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    const auto started = std::chrono::steady_clock::now();
    player.Play(1700, std::nullopt, false);
    player.WaitWhilePlaying();
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 1000ms);
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 2000);
    EXPECT_TRUE(Eventually([&] { return finished.load() == 1; }));
    // Playing on from the end ends at once.
    player.Play(std::nullopt, std::nullopt, false);
    player.WaitWhilePlaying();
    EXPECT_TRUE(Eventually([&] { return finished.load() == 2; }));
}

TEST_P(PlayerTest, StopFromAnotherThreadEndsTheWaitWithoutANotice) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(std::nullopt, std::nullopt, false);
    std::thread stopper([&] {
        std::this_thread::sleep_for(100ms);
        player.Stop();
    });
    player.WaitWhilePlaying();
    stopper.join();
    EXPECT_EQ(player.State(), PlayState::Stopped);
    const std::int64_t kept = player.PositionMs();
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 1000);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(player.PositionMs(), kept);
    EXPECT_EQ(finished.load(), 0);
}

TEST_P(PlayerTest, RepeatLoopsBackToFrom) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(1800, 1900, true);
    std::this_thread::sleep_for(350ms);
    EXPECT_EQ(player.State(), PlayState::Playing);
    EXPECT_GE(player.PositionMs(), 1800);
    EXPECT_LE(player.PositionMs(), 1900);
    EXPECT_EQ(finished.load(), 0);
    player.Stop();
}

TEST_P(PlayerTest, DestroyingAPlayingPlayerIsSilentAndSafe) {
    auto clip = LoadTwoSecondClip(GetParam(), dir_);
    for (int i = 0; i < 20; ++i) {
        Player player(clip);
        player.SetOnFinished([] {});
        player.Play(std::nullopt, std::nullopt, i % 2 == 0);
        std::this_thread::sleep_for(1ms);
    }
}

using NullEngineTest = audio_test::NullEngineTest;

INSTANTIATE_TEST_SUITE_P(BothKinds, PlayerTest, ::testing::Values(Kind::Wave, Kind::Midi),
                         [](const auto& info) {
                             return info.param == Kind::Wave ? "Wave" : "Midi";
                         });

TEST_F(NullEngineTest, TwoPlayersPlayAtOnceAndIndependently) {
    test_support::TempFolder dir;
    Player wave(LoadTwoSecondClip(Kind::Wave, dir));
    Player midi(LoadTwoSecondClip(Kind::Midi, dir));
    wave.Play(std::nullopt, std::nullopt, false);
    midi.Play(std::nullopt, std::nullopt, false);
    std::this_thread::sleep_for(200ms);
    midi.Pause();
    EXPECT_EQ(wave.State(), PlayState::Playing);
    const std::int64_t midiHeld = midi.PositionMs();
    EXPECT_TRUE(Eventually([&] { return wave.PositionMs() > midiHeld + 100; }));
    EXPECT_EQ(midi.PositionMs(), midiHeld);
    midi.Resume();
    wave.Stop();
    EXPECT_EQ(midi.State(), PlayState::Playing);
}

TEST_F(NullEngineTest, EmptyClipPlaysNothing) {
    Player player(nullptr);
    EXPECT_EQ(player.LengthMs(), 0);
    player.Play(std::nullopt, std::nullopt, true);
    player.WaitWhilePlaying();
    EXPECT_EQ(player.State(), PlayState::Stopped);
}

}  // namespace
