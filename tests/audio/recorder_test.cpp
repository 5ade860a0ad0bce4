// The loopback recorder on the null sink: it captures what plays, after the line gains and
// before the Master gain, and saves it in any of the formats asked for.
#include "platform/audio/recorder.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <thread>

#include "null_engine.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::Line;
using namespace std::chrono_literals;

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
    // Records one play of a 400 ms tone of amplitude 0.5.
    void RecordTone(audio::Recorder& recorder) {
        const auto tone =
            audio::LoadWaveFile(dir_.Write("tone.wav", sound_files::MakeWave({.frames = 17640})));
        ASSERT_EQ(tone.error, audio::LoadError::None);
        audio::Player player(tone.clip);
        recorder.Start(true);
        player.Play(std::nullopt, std::nullopt, false);
        player.WaitWhilePlaying();
        recorder.Stop();
    }

    Readback SavedAs(const audio::Recorder& recorder, int rate, int channels, int bits) {
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
    audio::Recorder recorder;
    for (float gain : {1.0f, 0.0f}) {
        audio::Engine::Shared().SetLineGain(Line::Midi, gain);
        audio::Player player(song.clip);
        recorder.Start(true);
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

TEST_F(RecorderTest, StartWithoutOverwriteAppends) {
    audio::Recorder recorder;
    recorder.Start(true);
    std::this_thread::sleep_for(200ms);
    recorder.Stop();
    const std::int64_t first = recorder.PositionMs();
    recorder.Start(false);
    EXPECT_TRUE(recorder.Recording());
    std::this_thread::sleep_for(200ms);
    recorder.Stop();
    EXPECT_GE(recorder.PositionMs(), first + 150);
    recorder.Start(true);
    recorder.Stop();
    EXPECT_LT(recorder.PositionMs(), 100);
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
