// The recorder's take on the offline sink, where what is captured follows exactly from the
// frames pulled: recordings go in where they are started, before or over what is there; a cut
// closes the gap; the level follows what is recorded.
#include <gtest/gtest.h>

#include <sndfile.h>

#include <cmath>

#include "offline_engine.h"
#include "platform/audio/player.h"
#include "platform/audio/recorder.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kRate = 44100;

class RecorderTake : public audio_test::OfflineEngineTest {
  protected:
    // Records `ms` of a tone of the given amplitude (0: silence) at `atMs`.
    void RecordTone(double amplitude, std::int64_t atMs, std::int64_t ms, bool overwrite) {
        const auto tone = audio::LoadWaveFile(dir_.Write(
            "tone.wav", sound_files::MakeWave({.frames = 4 * kRate, .amplitude = amplitude})));
        ASSERT_EQ(tone.error, audio::LoadError::None);
        audio::Player player(tone.clip);
        player.Play(std::nullopt, std::nullopt, false);
        recorder_.Start(atMs, ms, overwrite);
        Pull(int(ms * kRate / 1000) + 4096);  // more than asked: the recording stops itself
        EXPECT_FALSE(recorder_.Recording());
    }

    // The take's loudest sample in each stretch of `stepMs`, in tenths.
    std::vector<int> Outline(int stepMs) {
        const auto file = dir_.path() / "take.wav";
        std::string error;
        EXPECT_TRUE(recorder_.Save(file, kRate, 1, 16, &error)) << error;
        SF_INFO info{};
        SNDFILE* in = sf_open(file.c_str(), SFM_READ, &info);
        std::vector<float> samples(std::size_t(info.frames));
        sf_readf_float(in, samples.data(), info.frames);
        sf_close(in);
        const std::size_t step = std::size_t(stepMs) * kRate / 1000;
        std::vector<int> outline;
        for (std::size_t at = 0; at + step <= samples.size(); at += step) {
            // Away from the joins, where a stretch's neighbour may reach in.
            const std::vector<float> middle(samples.begin() + long(at + step / 4),
                                            samples.begin() + long(at + 3 * step / 4));
            outline.push_back(int(std::lround(10 * sound_files::Peak(middle))));
        }
        return outline;
    }

    test_support::TempFolder dir_;
    audio::Recorder recorder_;
};

// The take goes to a temporary file: a long recording leaves the heap as it found it.
TEST_F(RecorderTake, HoldsNoMoreMemoryTheLongerItRecords) {
    const std::size_t before = test_support::ProcessResources::Now().heapBytes;
    recorder_.Start(0, std::nullopt, false);
    for (int second = 0; second < 20; ++second) {
        Pull(kRate);
        recorder_.PositionMs();  // moves what was captured on
    }
    recorder_.Stop();
    EXPECT_NEAR(recorder_.LengthMs(), 20000, 100);
    const std::size_t after = test_support::ProcessResources::Now().heapBytes;
    EXPECT_LT(after, before + 1024 * 1024) << "bytes held after 20 s";
}

TEST_F(RecorderTake, RecordingsGoInWhereTheyAreStarted) {
    RecordTone(0.2, 0, 400, false);
    EXPECT_EQ(recorder_.PositionMs(), 400);
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 2, 2}));

    RecordTone(0.6, 200, 100, false);  // inserted: what followed moves on
    EXPECT_EQ(recorder_.PositionMs(), 300);
    EXPECT_EQ(recorder_.LengthMs(), 500);
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 6, 2, 2}));

    RecordTone(0.4, 400, 200, true);  // over the last stretch, and on past the end
    EXPECT_EQ(recorder_.LengthMs(), 600);
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 6, 2, 4, 4}));

    recorder_.Delete(100, 300);
    EXPECT_EQ(recorder_.PositionMs(), 100);
    EXPECT_EQ(recorder_.LengthMs(), 400);
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 4, 4}));

    recorder_.Seek(5000);  // clamped to the end
    EXPECT_EQ(recorder_.PositionMs(), 400);
    recorder_.Delete(0, 400);
    EXPECT_EQ(recorder_.LengthMs(), 0);
}

TEST_F(RecorderTake, TheLevelFollowsWhatIsRecorded) {
    const auto tone = audio::LoadWaveFile(
        dir_.Write("tone.wav", sound_files::MakeWave({.frames = kRate, .amplitude = 0.5})));
    ASSERT_EQ(tone.error, audio::LoadError::None);
    audio::Player player(tone.clip);
    EXPECT_EQ(recorder_.Level(), (std::array<float, 2>{0, 0}));
    recorder_.Start(0, std::nullopt, false);
    player.Play(std::nullopt, std::nullopt, false);
    Pull(8192);
    for (const float level : recorder_.Level()) EXPECT_NEAR(level, 0.5f, 0.01f);
    player.Stop();
    Pull(8192);
    EXPECT_EQ(recorder_.Level(), (std::array<float, 2>{0, 0}));
    recorder_.Stop();
    EXPECT_EQ(recorder_.Level(), (std::array<float, 2>{0, 0}));
}

}  // namespace
