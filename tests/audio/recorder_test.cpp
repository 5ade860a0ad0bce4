// The loopback recorder on the offline sink: where recordings go in the take, how it is kept.
#include "platform/audio/recorder.h"

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/resource.h>

#include <cmath>
#include <csignal>
#include <cstdlib>

#include "offline_engine.h"
#include "platform/audio/player.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

constexpr int kRate = 44100;

struct Readback {
    SF_INFO info{};
    std::vector<float> samples;
};

class RecorderTest : public audio_test::OfflineEngineTest {
  protected:
    // Records `ms` of `wave` (a second of tone) at `atMs`.
    void RecordTone(const sound_files::WaveLayout& wave, std::int64_t atMs, std::int64_t ms,
                    bool overwrite) {
        const auto tone = audio::LoadWaveFile(dir_.Write("tone.wav", sound_files::MakeWave(wave)));
        ASSERT_EQ(tone.error, audio::LoadError::None);
        audio::Player player(tone.clip);
        player.Play(std::nullopt, std::nullopt, false);
        ASSERT_TRUE(recorder_.Start(atMs, ms, overwrite));
        Pull(int(ms * kRate / 1000) + 4096);  // more than asked: the recording stops itself
        EXPECT_FALSE(recorder_.Recording());
    }

    Readback SavedAs(int rate, int channels, int bits) {
        std::string error;
        const auto file = dir_.path() / "take.wav";
        EXPECT_TRUE(recorder_.Save(file, rate, channels, bits, &error)) << error;
        Readback back;
        SNDFILE* in = sf_open(file.c_str(), SFM_READ, &back.info);
        if (!in) return back;
        back.samples.resize(std::size_t(back.info.frames * back.info.channels));
        sf_readf_float(in, back.samples.data(), back.info.frames);
        sf_close(in);
        return back;
    }

    // The take's loudest sample in each stretch of `stepMs`, in tenths.
    std::vector<int> Outline(int stepMs) {
        const std::vector<float> samples = SavedAs(kRate, 1, 16).samples;
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

TEST_F(RecorderTest, RecordingsGoInWhereTheyAreStarted) {
    // Lengths and positions are the script commands' to check; here, what sounds where.
    RecordTone({.amplitude = 0.2}, 0, 400, false);
    RecordTone({.amplitude = 0.6}, 200, 100, false);  // inserted: what followed moves on
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 6, 2, 2}));
    RecordTone({.amplitude = 0.4}, 400, 200, true);  // over the last stretch, and on past the end
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 6, 2, 4, 4}));
    recorder_.Delete(100, 300);
    EXPECT_EQ(Outline(100), (std::vector<int>{2, 2, 4, 4}));
}

TEST_F(RecorderTest, SavesTheTakeInEveryFormat) {
    RecordTone({}, 0, 400, false);
    const int formats[][4] = {{8000, 1, 8, SF_FORMAT_PCM_U8},
                              {22050, 1, 24, SF_FORMAT_PCM_24},
                              {48000, 2, 32, SF_FORMAT_PCM_32},
                              {96000, 4, 16, SF_FORMAT_PCM_16}};
    for (const auto& [rate, channels, bits, subtype] : formats) {
        SCOPED_TRACE(testing::Message()
                     << rate << " Hz, " << channels << " ch, " << bits << " bits");
        const Readback back = SavedAs(rate, channels, bits);
        EXPECT_EQ(back.info.format, SF_FORMAT_WAV | subtype);
        EXPECT_EQ(back.info.samplerate, rate);
        EXPECT_EQ(back.info.channels, channels);
        EXPECT_NEAR(double(back.info.frames), 0.4 * rate, rate / 100.0);
        EXPECT_NEAR(sound_files::Peak(back.samples), 0.5, 0.03);
    }
}

// The take goes to a temporary file: a long recording leaves the heap as it found it.
TEST_F(RecorderTest, HoldsNoMoreMemoryTheLongerItRecords) {
    const std::size_t before = test_support::LiveHeapBytes();
    ASSERT_TRUE(recorder_.Start(0, std::nullopt, false));
    for (int second = 0; second < 20; ++second) {
        Pull(kRate);
        recorder_.PositionMs();  // moves what was captured on
    }
    recorder_.Stop();
    EXPECT_NEAR(recorder_.LengthMs(), 20000, 100);
    const std::size_t after = test_support::LiveHeapBytes();
    EXPECT_LT(after, before + 1024 * 1024) << "bytes held after 20 s";
}

// Nothing recorded may vanish unsaid: with no temporary folder a recording does not start, and a
// folder that fills makes the stop, and the save, fail.
TEST_F(RecorderTest, ATemporaryFolderThatTakesNothingOrTooLittleIsReported) {
    ::setenv("TMPDIR", "/nonexistent/folder", 1);
    audio::Recorder homeless;
    ::unsetenv("TMPDIR");
    EXPECT_FALSE(homeless.Start(0, std::nullopt, false));

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    ASSERT_TRUE(recorder_.Start(0, std::nullopt, false));
    ::setrlimit(RLIMIT_FSIZE, &small);
    for (int tenth = 0; tenth < 10; ++tenth) {
        Pull(kRate / 10);
        recorder_.PositionMs();  // moves what was captured on
    }
    const bool kept = recorder_.Stop();
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_FALSE(kept);
    EXPECT_GT(recorder_.LengthMs(), 0) << "what fitted stays";
}

}  // namespace
