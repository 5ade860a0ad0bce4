// The mix pulled by hand through the offline sink: exact positions, the Master and line gains
// on the output itself, loops, many MIDI songs at once, and a mix that never waits for a
// control call.
#include "offline_engine.h"

#include <gtest/gtest.h>

#include <future>
#include <vector>

#include "platform/audio/cd_audio.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/mixer.h"
#include "platform/audio/player.h"
#include "tests/support/cd_image.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Engine;
using audio::Line;
using audio::Player;

class OfflineEngineTest : public audio_test::OfflineEngineTest {
  protected:
    std::shared_ptr<const audio::Clip> Tone(double amplitude = 0.5) {
        const auto result = audio::LoadWaveFile(dir_.Write(
            "tone.wav", sound_files::MakeWave({.frames = 44100, .amplitude = amplitude})));
        EXPECT_EQ(result.error, audio::LoadError::None) << result.detail;
        return result.clip;
    }

    std::shared_ptr<const audio::Clip> Song(int seconds) {
        const auto result =
            audio::LoadMidiFile(dir_.Write("song.mid", sound_files::MakeSong(seconds)));
        EXPECT_EQ(result.error, audio::LoadError::None) << result.detail;
        return result.clip;
    }

    test_support::TempFolder dir_;
};

TEST_F(OfflineEngineTest, TheSinkCannotChangeOnceRunning) {
    EXPECT_FALSE(Engine::ChooseSink("null"));
    EXPECT_FALSE(Engine::ChooseSink("speakers"));
    EXPECT_EQ(Engine::SinkNames(), (std::vector<std::string>{"sdl", "null", "offline"}));
    EXPECT_EQ(Engine::Shared().SampleRate(), 44100);
}

TEST_F(OfflineEngineTest, PositionsCountRenderedFrames) {
    Player player(Tone());
    player.Play(std::nullopt, std::nullopt, false);
    Pull(22050);
    EXPECT_EQ(player.PositionMs(), 500);
    Pull(22050 + 64);
    EXPECT_EQ(player.State(), audio::PlayState::Stopped);
    EXPECT_EQ(player.PositionMs(), 1000);
    // Positions that fall between two frames read back as given.
    for (std::int64_t to : {1, 333, 667, 999}) {
        player.Play(0, to, false);
        Pull(44100);
        EXPECT_EQ(player.PositionMs(), to);
        player.Seek(to);
        EXPECT_EQ(player.PositionMs(), to);
    }
}

TEST_F(OfflineEngineTest, MasterAndLineGainsScaleTheOutput) {
    Player player(Tone());
    const struct {
        float master, wave, expected;
    } cases[] = {{1, 1, 0.5f}, {0.5f, 1, 0.25f}, {1, 0.5f, 0.25f}, {0.5f, 0.5f, 0.125f}, {0, 1, 0}};
    for (const auto& gains : cases) {
        Engine::Shared().SetLineGain(Line::Master, gains.master);
        Engine::Shared().SetLineGain(Line::Wave, gains.wave);
        player.Play(0, std::nullopt, false);
        EXPECT_NEAR(sound_files::Peak(Pull(2048)), gains.expected, 0.002);
    }
    Engine::Shared().SetLineGain(Line::Wave, 7);
    EXPECT_EQ(Engine::Shared().LineGain(Line::Wave), 1);
}

// A disc plays on the CD line: its gain scales it, and the Wave line's does not.
TEST_F(OfflineEngineTest, ADiscPlaysOnItsOwnLine) {
    const auto disc = audio::LoadCdAudio(
        sound_files::WriteCdImage(dir_.path(), "disc", {{440, 2}}).string());
    ASSERT_EQ(disc.error, audio::CdError::None);
    Player player(disc.clip);
    Engine::Shared().SetLineGain(Line::Wave, 0);
    for (const float cd : {1.0f, 0.5f}) {
        Engine::Shared().SetLineGain(Line::Cd, cd);
        player.Play(0, std::nullopt, false);
        // The disc is read on a thread of its own, and what it has not read in time passes as
        // silence: pulled a frame at a time, the mix cannot run ahead of a slow reader.
        std::vector<float> sounded;
        EXPECT_TRUE(audio_test::Eventually([&] {
            const std::vector<float> frame = Pull(1);
            if (sounded.empty() && sound_files::Peak(frame) == 0.0f) return false;
            sounded.insert(sounded.end(), frame.begin(), frame.end());
            return sounded.size() == 2 * 128;  // more than a period of the tone
        }, std::chrono::seconds(30)));
        EXPECT_NEAR(sound_files::Peak(sounded), 0.5f * cd, 0.01f);
    }
    Engine::Shared().SetLineGain(Line::Cd, 0);
    player.Play(0, std::nullopt, false);
    Pull(44100 / 2);
    EXPECT_EQ(sound_files::Peak(Pull(2048)), 0.0f);
    Engine::Shared().SetLineGain(Line::Cd, 1);
}

TEST_F(OfflineEngineTest, RepeatStaysInsideItsRange) {
    Player player(Tone());
    player.Play(100, 200, true);
    for (int i = 0; i < 40; ++i) {
        Pull(1000);
        ASSERT_GE(player.PositionMs(), 100);
        ASSERT_LE(player.PositionMs(), 200);
    }
    player.Play(std::nullopt, std::nullopt, true);  // the whole clip, over and over
    Pull(44100 * 2 + 500);
    EXPECT_EQ(player.State(), audio::PlayState::Playing);
}

TEST_F(OfflineEngineTest, MidiSoundsSoonAfterPlayAndAfterASeek) {
    Player player(Song(4));
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_GT(sound_files::Peak(Pull(2048)), 0.001f);
    player.Seek(2000);
    Pull(44100 * 3);  // let the tail die away
    EXPECT_EQ(sound_files::Peak(Pull(512)), 0.0f);
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_GT(sound_files::Peak(Pull(2048)), 0.001f);
    player.Pause();
    Pull(44100);
    EXPECT_LT(sound_files::Peak(Pull(512)), 0.001f);
}

// A song on every block sounds at once; one more could only be silent, so it says so at open
// (the MCI layer refuses it), and a block comes free when a player closes.
TEST_F(OfflineEngineTest, ASongPastTheLastBlockCannotSoundAndSaysSo) {
    const auto song = Song(2);
    Pull(64);  // lets go of the blocks of players closed before
    std::vector<std::unique_ptr<Player>> players;
    for (int i = 0; i < audio::MidiSynth::kBlocks; ++i) {
        players.push_back(std::make_unique<Player>(song));
        EXPECT_TRUE(players.back()->Sounds()) << "player " << i;
        players.back()->Play(std::nullopt, std::nullopt, false);
    }
    Player extra(song);
    EXPECT_FALSE(extra.Sounds());
    extra.Play(std::nullopt, std::nullopt, false);
    EXPECT_GT(sound_files::Peak(Pull(4410)), 0.001f);
    for (const auto& player : players) EXPECT_EQ(player->PositionMs(), 100);
    EXPECT_EQ(extra.PositionMs(), 100);
    players.pop_back();
    Pull(64);
    EXPECT_TRUE(Player(song).Sounds());
}

// Past the most tracks the mix sounds at once, a play stops at once instead of reporting
// "playing" in silence.
TEST_F(OfflineEngineTest, APlayPastTheMixersRoomStops) {
    const auto song = Song(2);
    std::vector<std::unique_ptr<Player>> players;
    for (std::size_t i = 0; i <= audio::Mixer::kMaxPlaying; ++i) {
        players.push_back(std::make_unique<Player>(song));
        EXPECT_EQ(players.back()->Play(std::nullopt, std::nullopt, false),
                  i < audio::Mixer::kMaxPlaying);
    }
    Pull(64);
    EXPECT_EQ(players.front()->State(), audio::PlayState::Playing);
    EXPECT_EQ(players.back()->State(), audio::PlayState::Stopped);
    players.front()->Stop();
    EXPECT_TRUE(players.back()->Play(std::nullopt, std::nullopt, false));
    Pull(64);
    EXPECT_EQ(players.back()->State(), audio::PlayState::Playing);
}

// A control call holds the control lock while the audio thread renders: the render goes on.
TEST_F(OfflineEngineTest, TheMixNeverWaitsForAControlCall) {
    Player player(Tone());
    player.Play(std::nullopt, std::nullopt, true);
    std::unique_lock held(Engine::Shared().SharedMixer()->Lock());
    auto render = std::async(std::launch::async, [] { return sound_files::Peak(Pull(4410)); });
    const bool inTime = render.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    held.unlock();
    EXPECT_TRUE(inTime) << "the render waited for the control lock";
    EXPECT_GT(render.get(), 0.4f);
}

// With nobody pulling, the queue to the audio thread fills: a command past it fails at once
// instead of hanging its caller, and one period applies only a capped share of the backlog.
TEST_F(OfflineEngineTest, AFullCommandQueueRefusesAndDrainsAFewAPeriod) {
    Player player(Tone());
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
