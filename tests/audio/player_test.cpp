// Players on the offline sink, where positions follow exactly from the frames pulled: pause,
// seek, "to", repeat, the end of the clip, waiting and the finished notice behave for WAVE
// and MIDI alike, and a destroyed player falls silent at once.
#include "platform/audio/player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "offline_engine.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Player;
using audio::PlayState;
using audio_test::Eventually;
using namespace std::chrono_literals;

enum class Kind { Wave, Midi };

std::shared_ptr<const audio::Clip> LoadTwoSecondClip(Kind kind,
                                                     const test_support::TempFolder& dir) {
    audio::LoadResult result =
        kind == Kind::Wave
            ? audio::LoadWaveFile(dir.Write("two.wav", sound_files::MakeWave({.frames = 88200})))
            : audio::LoadMidiFile(dir.Write("two.mid", sound_files::MakeSong(2)));
    EXPECT_EQ(result.error, audio::LoadError::None) << result.detail;
    return result.clip;
}

class PlayerTest : public audio_test::OfflineEngineTest,
                   public ::testing::WithParamInterface<Kind> {
  protected:
    test_support::TempFolder dir_;
};

TEST_P(PlayerTest, StartsStoppedAtZero) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 0);
    EXPECT_EQ(player.LengthMs(), 2000);
    EXPECT_TRUE(player.Sounds());
}

TEST_P(PlayerTest, PositionFollowsTheMixAndPauseHoldsIt) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_EQ(player.State(), PlayState::Playing);
    Pull(13230);
    EXPECT_EQ(player.PositionMs(), 300);

    player.Pause();
    EXPECT_EQ(player.State(), PlayState::Paused);
    Pull(4410);
    EXPECT_EQ(player.PositionMs(), 300);

    player.Resume();
    EXPECT_EQ(player.State(), PlayState::Playing);
    Pull(4410);
    EXPECT_EQ(player.PositionMs(), 400);
}

TEST_P(PlayerTest, SeekStopsAtTheGivenPositionClamped) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    player.Play(std::nullopt, std::nullopt, false);
    Pull(441);
    player.Seek(1500);
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 1500);
    Pull(441);
    EXPECT_EQ(player.PositionMs(), 1500);
    player.Seek(99999);
    EXPECT_EQ(player.PositionMs(), 2000);
    player.Seek(-5);
    EXPECT_EQ(player.PositionMs(), 0);
    player.Seek(1000);
    player.Play(std::nullopt, std::nullopt, false);
    Pull(4410);
    EXPECT_EQ(player.PositionMs(), 1100);
}

TEST_P(PlayerTest, PlayFromToStopsAtToWithOneNotice) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(1000, 1200, false);
    EXPECT_EQ(player.PositionMs(), 1000);
    Pull(44100);
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 1200);
    player.WaitWhilePlaying();
    EXPECT_TRUE(Eventually([&] { return finished.load() == 1; }));
    // Playing on from the end ends at once, with a notice of its own.
    player.Play(std::nullopt, 1200, false);
    Pull(64);
    EXPECT_TRUE(Eventually([&] { return finished.load() == 2; }));
}

TEST_P(PlayerTest, WaitReturnsWhenTheEndIsReached) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    player.Play(1700, std::nullopt, false);
    std::atomic<bool> pulling{true};
    std::thread mix([&] {
        while (pulling) Pull(256);
    });
    player.WaitWhilePlaying();
    pulling = false;
    mix.join();
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 2000);
}

TEST_P(PlayerTest, StopFromAnotherThreadEndsTheWaitWithoutANotice) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(std::nullopt, std::nullopt, false);
    Pull(4410);
    auto stopper = std::async(std::launch::async, [&] { player.Stop(); });
    player.WaitWhilePlaying();
    stopper.get();
    EXPECT_EQ(player.State(), PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 100);
    Pull(4410);
    EXPECT_EQ(player.PositionMs(), 100);
    EXPECT_EQ(finished.load(), 0);
}

TEST_P(PlayerTest, RepeatLoopsBackToFrom) {
    Player player(LoadTwoSecondClip(GetParam(), dir_));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(1800, 1900, true);
    for (int i = 0; i < 40; ++i) {
        Pull(1000);
        ASSERT_EQ(player.State(), PlayState::Playing);
        ASSERT_GE(player.PositionMs(), 1800);
        ASSERT_LE(player.PositionMs(), 1900);
    }
    EXPECT_EQ(finished.load(), 0);
}

TEST_P(PlayerTest, DestroyingAPlayingPlayerIsSilentAndSafe) {
    auto clip = LoadTwoSecondClip(GetParam(), dir_);
    std::atomic<int> finished{0};
    for (int i = 0; i < 20; ++i) {
        Player player(clip);
        player.SetOnFinished([&] { ++finished; });
        player.Play(std::nullopt, 100, i % 2 == 0);
        EXPECT_GT(sound_files::Peak(Pull(2048)), 0.001f) << "playing " << i;
    }
    // Notes are cut at once; what rings on is the synthesiser's reverb, which dies away.
    if (GetParam() == Kind::Midi) Pull(44100 * 3);
    EXPECT_LT(sound_files::Peak(Pull(4410)), 1e-4f);
    EXPECT_EQ(finished.load(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, PlayerTest, ::testing::Values(Kind::Wave, Kind::Midi),
                         [](const auto& info) {
                             return info.param == Kind::Wave ? "Wave" : "Midi";
                         });

using OfflineEngineTest = audio_test::OfflineEngineTest;

TEST_F(OfflineEngineTest, TwoPlayersPlayAtOnceAndIndependently) {
    test_support::TempFolder dir;
    Player wave(LoadTwoSecondClip(Kind::Wave, dir));
    Player midi(LoadTwoSecondClip(Kind::Midi, dir));
    wave.Play(std::nullopt, std::nullopt, false);
    midi.Play(std::nullopt, std::nullopt, false);
    Pull(8820);
    midi.Pause();
    Pull(8820);
    EXPECT_EQ(wave.State(), PlayState::Playing);
    EXPECT_EQ(wave.PositionMs(), 400);
    EXPECT_EQ(midi.PositionMs(), 200);
    midi.Resume();
    wave.Stop();
    Pull(4410);
    EXPECT_EQ(midi.State(), PlayState::Playing);
    EXPECT_EQ(midi.PositionMs(), 300);
    EXPECT_EQ(wave.PositionMs(), 400);
}

TEST_F(OfflineEngineTest, EmptyClipPlaysNothing) {
    Player player(nullptr);
    EXPECT_EQ(player.LengthMs(), 0);
    player.Play(std::nullopt, std::nullopt, true);
    player.WaitWhilePlaying();
    EXPECT_EQ(player.State(), PlayState::Stopped);
}

}  // namespace
