// The loopback recorder on the null sink: it captures what plays, after the line gains and
// before the Master gain, saves it in any of the formats asked for, and a recording given a
// length ends by itself.
#include "platform/audio/recorder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "null_engine.h"
#include "platform/audio/player.h"
#include "tone_level.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Line;

struct Readback {
    SF_INFO info{};
    std::vector<float> samples;
};

Readback ReadWave(const std::filesystem::path& file) {
    Readback back;
    SNDFILE* in = sf_open(file.c_str(), SFM_READ, &back.info);
    if (!in) return back;
    back.samples.resize(std::size_t(back.info.frames * back.info.channels));
    sf_readf_float(in, back.samples.data(), back.info.frames);
    sf_close(in);
    return back;
}

class RecorderTest : public audio_test::NullEngineTest {
  protected:
    // Records one play of a 400 ms tone of amplitude 0.5 in place of what the recorder held.
    void RecordTone(audio::Recorder& recorder, sound_files::WaveSpec wave = {.frames = 17640}) {
        recorder.Delete(0, recorder.LengthMs());
        const auto tone = audio::LoadWaveFile(dir_.Write("tone.wav", sound_files::MakeWave(wave)));
        ASSERT_EQ(tone.error, audio::LoadError::None);
        audio::Player player(tone.clip);
        recorder.Start(0, std::nullopt, true);
        player.Play(std::nullopt, std::nullopt, false);
        player.WaitWhilePlaying();
        recorder.Stop();
    }

    Readback SavedAs(audio::Recorder& recorder, int rate, int channels, int bits) {
        std::string error;
        const auto file = dir_.path() / "capture.wav";
        EXPECT_TRUE(recorder.Save(file, rate, channels, bits, &error)) << error;
        return ReadWave(file);
    }

    test_support::TempFolder dir_;
};

struct Format {
    int rate;
    int channels;
    int bits;
    int subtype;
};

TEST_F(RecorderTest, SavesTheCaptureInEveryFormat) {
    audio::Recorder recorder;
    RecordTone(recorder);
    EXPECT_FALSE(recorder.Recording());
    const std::int64_t captured = recorder.PositionMs();
    EXPECT_GE(captured, 400);
    EXPECT_LT(captured, 1500);

    const Format formats[] = {
        {8000, 1, 8, SF_FORMAT_PCM_U8},   {11025, 2, 16, SF_FORMAT_PCM_16},
        {22050, 1, 24, SF_FORMAT_PCM_24}, {44100, 2, 16, SF_FORMAT_PCM_16},
        {48000, 2, 32, SF_FORMAT_PCM_32}, {96000, 4, 16, SF_FORMAT_PCM_16},
    };
    for (const Format& format : formats) {
        SCOPED_TRACE(testing::Message() << format.rate << " Hz, " << format.channels << " ch, "
                                        << format.bits << " bits");
        const Readback back = SavedAs(recorder, format.rate, format.channels, format.bits);
        EXPECT_EQ(back.info.format, SF_FORMAT_WAV | format.subtype);
        EXPECT_EQ(back.info.samplerate, format.rate);
        EXPECT_EQ(back.info.channels, format.channels);
        EXPECT_NEAR(double(back.info.frames), double(captured) * format.rate / 1000,
                    format.rate / 100.0);
        EXPECT_NEAR(sound_files::Peak(back.samples), 0.5, 0.03);
    }
}

// Saved at half the engine's rate, a tone under the new Nyquist frequency keeps its level and
// one above it is filtered out, not folded back (15 kHz would alias to 7,050 Hz).
TEST_F(RecorderTest, SavingAtALowerRateFiltersInsteadOfAliasing) {
    audio::Recorder recorder;
    for (const double hz : {5000.0, 15000.0}) {
        SCOPED_TRACE(testing::Message() << hz << " Hz");
        RecordTone(recorder, {.formatTag = 3, .bits = 32, .frames = 17640, .toneHz = hz});
        const Readback back = SavedAs(recorder, 22050, 2, 32);
        ASSERT_GT(back.samples.size(), 2u * 6615);
        // 100 to 300 ms into the capture: well inside the tone, away from its edges.
        const std::vector<float> steady(back.samples.begin() + 2 * 2205,
                                        back.samples.begin() + 2 * 6615);
        if (hz < 11025) {
            EXPECT_NEAR(audio_test::LevelDb(steady, 0, hz, 22050), 20 * std::log10(0.5), 0.5);
        } else {
            const double alias = audio_test::LoudestDb(steady, 100, 11000, 25, 22050);
            RecordProperty("alias_db", std::to_string(alias));
            EXPECT_LT(alias, 20 * std::log10(0.5) - 90);
        }
    }
}

TEST_F(RecorderTest, LineGainsApplyAndMasterDoesNot) {
    audio::Engine::Shared().SetLineGain(Line::Wave, 0.25f);
    audio::Engine::Shared().SetLineGain(Line::Master, 0.1f);
    EXPECT_FLOAT_EQ(audio::Engine::Shared().LineGain(Line::Wave), 0.25f);
    audio::Recorder recorder;
    RecordTone(recorder);
    EXPECT_NEAR(sound_files::Peak(SavedAs(recorder, 44100, 2, 32).samples), 0.125, 0.01);

    audio::Engine::Shared().SetLineGain(Line::Wave, 0.0f);
    RecordTone(recorder);
    EXPECT_EQ(sound_files::Peak(SavedAs(recorder, 44100, 2, 32).samples), 0.0f);
}

TEST_F(RecorderTest, MidiSongsAreHeardOnTheMidiLine) {
    const auto song = audio::LoadMidiFile(dir_.Write("song.mid", sound_files::MakeSong(1)));
    ASSERT_EQ(song.error, audio::LoadError::None) << song.detail;
    for (float gain : {1.0f, 0.0f}) {
        audio::Engine::Shared().SetLineGain(Line::Midi, gain);
        audio::Recorder recorder;
        audio::Player player(song.clip);
        recorder.Start(0, std::nullopt, false);
        player.Play(0, 300, false);
        player.WaitWhilePlaying();
        recorder.Stop();
        const float peak = sound_files::Peak(SavedAs(recorder, 44100, 2, 16).samples);
        if (gain > 0)
            EXPECT_GT(peak, 0.01f);
        else
            EXPECT_EQ(peak, 0.0f);
    }
}

// The waiting thread wakes and the finished callback runs once, from the service thread: the
// waiter is woken first, so the callback may still be on its way.
TEST_F(RecorderTest, ARecordingGivenALengthEndsByItself) {
    audio::Recorder recorder;
    std::atomic<int> finished = 0;
    recorder.SetOnFinished([&] { ++finished; });
    recorder.Start(0, 300, false);
    EXPECT_TRUE(recorder.Recording());
    recorder.WaitWhileRecording();
    EXPECT_FALSE(recorder.Recording());
    EXPECT_TRUE(audio_test::Eventually([&] { return finished > 0; }));
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(recorder.PositionMs(), 300);
    EXPECT_EQ(recorder.LengthMs(), 300);

    recorder.Start(0, std::nullopt, false);  // no length: runs until stopped
    std::thread stopper([&] {
        audio_test::Eventually([&] { return recorder.LengthMs() > 400; });
        recorder.Stop();
    });
    recorder.WaitWhileRecording();
    stopper.join();
    EXPECT_GT(recorder.LengthMs(), 400);
    EXPECT_NEAR(recorder.PositionMs(), recorder.LengthMs() - 300, 1) << "recorded before the take";
    EXPECT_EQ(finished, 1);
}

TEST_F(RecorderTest, RefusesBadFormatsAndPaths) {
    audio::Recorder recorder;
    const struct {
        int rate, channels, bits;
    } bad[] = {{44100, 2, 12}, {44100, 0, 16}, {44100, 9, 16}, {0, 2, 16}, {-8000, 1, 8}};
    for (const auto& format : bad) {
        std::string error;
        EXPECT_FALSE(recorder.Save(dir_.path() / "x.wav", format.rate, format.channels, format.bits,
                                   &error));
        EXPECT_FALSE(error.empty());
    }
    std::string error;
    EXPECT_FALSE(recorder.Save(dir_.path() / "no such dir" / "x.wav", 44100, 2, 16, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
