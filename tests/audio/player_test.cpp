// Players and the mix on the offline sink, where positions follow exactly from the frames pulled.
#include "platform/audio/player.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <future>

#include "offline_engine.h"
#include "platform/audio/mixer.h"
#include "platform/audio/recorder.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Engine;
using audio::Line;
using audio::Player;
using audio::PlayState;
using sound_files::Peak;

enum class Kind { Wave, Midi };

class PlayerTest : public audio_test::OfflineEngineTest {
  protected:
    // Two seconds of a tone of amplitude 0.5, or of a note every half second.
    std::shared_ptr<const audio::Clip> Clip(Kind kind) {
        const audio::LoadResult result =
            kind == Kind::Wave
                ? audio::LoadWaveFile(
                      dir_.Write("two.wav", sound_files::MakeWave({.frames = 88200})))
                : audio::LoadMidiFile(dir_.Write("two.mid", sound_files::MakeSong(2)));
        EXPECT_EQ(result.error, audio::LoadError::None) << result.detail;
        return result.clip;
    }

    test_support::TempFolder dir_;
};

class EachKind : public PlayerTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(EachKind, PositionFollowsTheMix) {
    Player player(Clip(GetParam()));
    EXPECT_EQ(player.LengthMs(), 2000);
    EXPECT_TRUE(player.Sounds());
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_EQ(player.State(), PlayState::Playing);
    Pull(13230);
    EXPECT_EQ(player.PositionMs(), 300);
    // Positions that fall between two frames read back as given.
    for (std::int64_t to : {1, 333, 667, 999}) {
        player.Play(0, to, false);
        Pull(44100);
        EXPECT_EQ(player.PositionMs(), to);
        player.Seek(to);
        EXPECT_EQ(player.PositionMs(), to);
    }
}

TEST_P(EachKind, RepeatLoopsBackToFrom) {
    Player player(Clip(GetParam()));
    std::atomic<int> finished{0};
    player.SetOnFinished([&] { ++finished; });
    player.Play(1800, 1900, true);
    for (int i = 0; i < 40; ++i) {
        Pull(1000);
        ASSERT_EQ(player.State(), PlayState::Playing);
        ASSERT_GE(player.PositionMs(), 1800);
        ASSERT_LE(player.PositionMs(), 1900);
    }
    player.Play(std::nullopt, std::nullopt, true);  // the whole clip, over and over
    Pull(44100 * 2 + 500);
    EXPECT_EQ(player.State(), PlayState::Playing);
    EXPECT_EQ(finished.load(), 0);
    Player empty(nullptr);
    empty.Play(std::nullopt, std::nullopt, true);
    empty.WaitWhilePlaying();
    EXPECT_EQ(empty.State(), PlayState::Stopped);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, EachKind, ::testing::Values(Kind::Wave, Kind::Midi),
                         [](const auto& info) {
                             return info.param == Kind::Wave ? "Wave" : "Midi";
                         });

// The recorder hears the lines after their gains and before Master's.
TEST_F(PlayerTest, LineGainsScaleWhatIsRecordedAndMasterOnlyTheOutput) {
    Player tone(Clip(Kind::Wave));
    audio::Recorder recorder;
    const std::array<float, 2> silent{0, 0};
    EXPECT_EQ(recorder.Level(), silent);
    ASSERT_TRUE(recorder.Start(0, std::nullopt, false));
    const struct {
        float master, wave, output, recorded;
    } cases[] = {{0.5f, 1, 0.25f, 0.5f}, {1, 0.5f, 0.25f, 0.25f}, {0, 1, 0, 0.5f}, {1, 0, 0, 0}};
    for (const auto& gains : cases) {
        SCOPED_TRACE(testing::Message() << gains.master << " " << gains.wave);
        Engine::Shared().SetLineGain(Line::Master, gains.master);
        Engine::Shared().SetLineGain(Line::Wave, gains.wave);
        tone.Play(0, std::nullopt, false);
        EXPECT_NEAR(Peak(Pull(2048)), gains.output, 0.002);
        for (const float level : recorder.Level()) EXPECT_NEAR(level, gains.recorded, 0.01);
    }
    tone.Stop();
    Engine::Shared().SetLineGain(Line::Master, 1);
    Player song(Clip(Kind::Midi));
    for (const float gain : {1.0f, 0.0f}) {
        Engine::Shared().SetLineGain(Line::Midi, gain);
        song.Play(0, std::nullopt, false);
        const float peak = Peak(Pull(4410));
        if (gain > 0) {
            EXPECT_GT(peak, 0.01f);
        } else {
            EXPECT_EQ(peak, 0.0f);
            EXPECT_EQ(recorder.Level(), silent);
        }
    }
    recorder.Stop();
    EXPECT_EQ(recorder.Level(), silent);
}

// A control call holds the control lock while the audio thread renders: the render goes on.
TEST_F(PlayerTest, TheMixNeverWaitsForAControlCall) {
    Player player(Clip(Kind::Wave));
    player.Play(std::nullopt, std::nullopt, true);
    std::unique_lock held(Engine::Shared().SharedMixer()->Lock());
    auto render = std::async(std::launch::async, [] { return Peak(Pull(4410)); });
    const bool inTime = render.wait_for(std::chrono::seconds(60)) == std::future_status::ready;
    held.unlock();
    EXPECT_TRUE(inTime) << "the render waited for the control lock";
    EXPECT_GT(render.get(), 0.4f);
}

// A command past a full queue fails at once instead of hanging its caller; a period applies
// only a capped share of the backlog.
TEST_F(PlayerTest, AFullCommandQueueRefusesAndDrainsAFewAPeriod) {
    Player player(Clip(Kind::Wave));
    audio::Mixer& mixer = *Engine::Shared().SharedMixer();
    int taken = 0;
    while (taken < 5000 && player.Seek(0)) ++taken;
    const std::size_t full = mixer.Pending();
    EXPECT_LT(taken, 5000);
    Pull(64);
    EXPECT_EQ(mixer.Pending(), full - audio::Mixer::kMaxCommandsPerPeriod);
    EXPECT_TRUE(player.Seek(0));
    while (mixer.Pending() > 0) Pull(64);
}

}  // namespace
