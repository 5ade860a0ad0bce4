// WAVE loading: every sample layout decodes to the same stereo tone at the engine's rate, and
// broken files give the load error that says why.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/player.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::LoadError;
using sound_files::MakeWave;
using sound_files::WaveSpec;

// Plays a whole clip alone and returns what the mix held.
std::vector<float> RenderAll(const std::shared_ptr<const audio::Clip>& clip) {
    audio::Player player(clip);
    player.Play(std::nullopt, std::nullopt, false);
    std::vector<float> out(2 * std::size_t(clip->LengthFrames()));
    EXPECT_TRUE(audio::Engine::Shared().Pull(out.data(), int(clip->LengthFrames())));
    return out;
}

struct Layout {
    const char* name;
    WaveSpec wave;
    float expectedPeak;
    float tolerance;
};

class WaveClipTest : public audio_test::OfflineEngineTest {
  protected:
    test_support::TempFolder dir_;
};

TEST_F(WaveClipTest, EveryLayoutDecodesToTheSameTone) {
    const Layout layouts[] = {
        {"8-bit mono 8 kHz", {.channels = 1, .rate = 8000, .bits = 8, .frames = 4000}, 0.5f, 0.02f},
        {"16-bit stereo 44.1 kHz", {.frames = 22050}, 0.5f, 0.01f},
        {"24-bit stereo 48 kHz", {.rate = 48000, .bits = 24, .frames = 24000}, 0.5f, 0.01f},
        {"32-bit mono 96 kHz",
         {.channels = 1, .rate = 96000, .bits = 32, .frames = 48000},
         0.5f,
         0.01f},
        {"float stereo 22.05 kHz",
         {.formatTag = 3, .rate = 22050, .bits = 32, .frames = 11025},
         0.5f,
         0.01f},
        // Four channels of the same tone: the rear pair folds into both sides.
        {"16-bit quad 11.025 kHz", {.channels = 4, .rate = 11025, .frames = 5513}, 0.7071f, 0.02f},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        const auto result = audio::LoadWaveFile(dir_.Write("tone.wav", MakeWave(layout.wave)));
        ASSERT_EQ(result.error, LoadError::None) << result.detail;
        const audio::Clip& clip = *result.clip;
        EXPECT_EQ(clip.OutputLine(), audio::Line::Wave);
        EXPECT_EQ(clip.LengthMs(), 500);
        EXPECT_NEAR(double(clip.LengthFrames()), 22050.0, 2.0);
        const std::vector<float> samples = RenderAll(result.clip);
        EXPECT_NEAR(sound_files::Peak(samples), layout.expectedPeak, layout.tolerance);
        for (std::size_t i = 0; i < samples.size(); i += 2)
            ASSERT_FLOAT_EQ(samples[i], samples[i + 1]) << "at frame " << i / 2;
    }
}

std::string Truncated() {
    std::string wave = MakeWave({.frames = 1000});
    return wave.substr(0, wave.size() - 100);
}

std::string WithDataSize(std::uint32_t size) {
    std::string wave = MakeWave({.frames = 1000});
    for (int i = 0; i < 4; ++i) wave[40 + i] = char(size >> (8 * i));
    return wave;
}

std::string WithField(std::size_t offset, std::uint16_t value) {
    std::string wave = MakeWave({.frames = 1000});
    wave[offset] = char(value & 0xFF);
    wave[offset + 1] = char(value >> 8);
    return wave;
}

struct BrokenWave {
    const char* name;
    std::string bytes;
    LoadError error;
};

TEST_F(WaveClipTest, BrokenFilesGiveTheirLoadError) {
    const BrokenWave cases[] = {
        {"zero length", "", LoadError::InvalidFormat},
        {"text", "hello, this is not a sound", LoadError::InvalidFormat},
        {"header only", MakeWave({.frames = 0}), LoadError::InvalidFormat},
        {"truncated data", Truncated(), LoadError::InvalidFormat},
        {"data size lies", WithDataSize(10'000'000), LoadError::InvalidFormat},
        {"no channels", WithField(22, 0), LoadError::InvalidFormat},
        {"unknown encoding", WithField(20, 0x7777), LoadError::InvalidFormat},
        {"MIDI in a .wav", sound_files::MakeSong(1), LoadError::InvalidFormat},
    };
    for (const BrokenWave& file : cases) {
        SCOPED_TRACE(file.name);
        const auto result = audio::LoadWaveFile(dir_.Write("broken.wav", file.bytes));
        EXPECT_EQ(result.error, file.error) << result.detail;
        EXPECT_EQ(result.clip, nullptr);
        EXPECT_FALSE(result.detail.empty());
    }
}

TEST_F(WaveClipTest, MissingAndUnreadableFiles) {
    EXPECT_EQ(audio::LoadWaveFile(dir_.path() / "absent.wav").error, LoadError::NotFound);
    EXPECT_EQ(audio::LoadWaveFile(dir_.path()).error, LoadError::NotFound);
    EXPECT_EQ(audio::LoadMidiFile(dir_.path() / "absent.mid").error, LoadError::NotFound);
    const auto odd =
        dir_.Write("a name with spaces, 'quotes' and \xc3\xa9.wav", MakeWave({.frames = 441}));
    EXPECT_EQ(audio::LoadWaveFile(odd).error, LoadError::None);
    if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their permissions";
    const auto locked = dir_.Write("locked.wav", MakeWave({.frames = 441}));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(audio::LoadWaveFile(locked).error, LoadError::Unreadable);
    EXPECT_EQ(audio::LoadMidiFile(locked).error, LoadError::Unreadable);
}

TEST_F(WaveClipTest, BrokenMidiFilesAreInvalid) {
    for (const std::string& bytes :
         {std::string(), std::string("MThd"), MakeWave({.frames = 10})}) {
        const auto result = audio::LoadMidiFile(dir_.Write("broken.mid", bytes));
        EXPECT_EQ(result.error, LoadError::InvalidFormat);
    }
}

}  // namespace
