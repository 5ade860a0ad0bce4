// WAV files stream from disk on the offline sink: any length opens at once in little memory,
// seeks land deep in a file, a file removed after its open still plays, resampling leaves no
// audible image, non-finite samples are silenced, and placeholder sizes play what the file holds.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <numbers>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/player.h"
#include "platform/audio/resampler.h"
#include "tests/support/eventually.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"
#include "tone_level.h"

namespace {

long LiveHeapKb() {
    return long(test_support::ProcessResources::Now().heapBytes / 1024);
}

using audio::LoadError;
using audio::Player;
using sound_files::MakeWave;

constexpr std::size_t kHeaderBytes = 44;

void PutLittle32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = char(value >> (8 * i));
}

// A file whose header declares `dataBytes` of sound but which holds only `wave`'s samples at
// its start (and, with `toneAt`, again at that byte offset of the data): the rest is a hole
// that takes no disk space.
std::filesystem::path SparseWave(const test_support::TempFolder& dir, const std::string& wave,
                                 std::uint32_t dataBytes, std::uint64_t toneAt = 0) {
    std::string header = wave.substr(0, kHeaderBytes);
    PutLittle32(header, 4, dataBytes + 36);
    PutLittle32(header, 40, dataBytes);
    const auto file = dir.Write("sparse.wav", header);
    std::filesystem::resize_file(file, kHeaderBytes + dataBytes);
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(std::streamoff(kHeaderBytes + toneAt));
    out.write(wave.data() + kHeaderBytes, std::streamsize(wave.size() - kHeaderBytes));
    return file;
}

class WaveStreamTest : public audio_test::OfflineEngineTest {
  protected:
    test_support::TempFolder dir_;
};

TEST_F(WaveStreamTest, TwentyMinutesAt768KHzOpenAndSoundInLittleMemory) {
    const std::string tone =
        MakeWave({.channels = 1, .rate = 768000, .frames = 4096, .toneHz = 1000});
    const auto file = SparseWave(dir_, tone, 1200u * 768000u * 2u);
    const long before = LiveHeapKb();
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    EXPECT_EQ(loaded.clip->LengthMs(), 1200 * 1000);
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_GT(sound_files::Peak(Pull(256)), 0.1f);
    const long grown = LiveHeapKb() - before;
    RecordProperty("heap_kb", std::to_string(grown));
    EXPECT_LT(grown, 8 * 1024);
    Pull(44100);
    EXPECT_EQ(player.PositionMs(), 1006);
}

TEST_F(WaveStreamTest, ASeekDeepIntoALongFilePlaysFromThere) {
    const std::string tone = MakeWave({.frames = 4410, .toneHz = 1000});
    const std::uint32_t fiveMinutes = 300u * 44100u * 4u;
    const auto file = SparseWave(dir_, tone, 2 * fiveMinutes, fiveMinutes);
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    Player player(loaded.clip);
    player.Play(300'000, std::nullopt, false);
    EXPECT_NEAR(sound_files::Peak(Pull(2048)), 0.5, 0.01);
    player.Play(200'000, std::nullopt, false);
    EXPECT_EQ(sound_files::Peak(Pull(2048)), 0.0f);
    player.Play(299'990, std::nullopt, false);
    EXPECT_EQ(sound_files::Peak(Pull(441)), 0.0f);
    EXPECT_NEAR(sound_files::Peak(Pull(441)), 0.5, 0.01);
}

// A 10 kHz tone at 22,050 Hz brought up to 44.1 kHz mirrors at 12,050 Hz unless the
// resampler filters it; every image must stay 90 dB under the tone.
TEST_F(WaveStreamTest, UpsamplingLeavesEveryImage90DbUnderTheTone) {
    const auto loaded = audio::LoadWaveFile(dir_.Write("ten.wav", MakeWave({.formatTag = 3,
                                                                            .channels = 1,
                                                                            .rate = 22050,
                                                                            .bits = 32,
                                                                            .frames = 44100,
                                                                            .toneHz = 10000})));
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    Pull(8192);
    const std::vector<float> steady = Pull(16384);
    const double tone = audio_test::LevelDb(steady, 0, 10000, 44100);
    EXPECT_NEAR(tone, 20 * std::log10(0.5), 0.5);
    const double image = audio_test::LoudestDb(steady, 10500, 22000, 25, 44100);
    RecordProperty("image_below_tone_db", std::to_string(tone - image));
    EXPECT_LT(image, tone - 90);
}

std::string WithNonFiniteSamples() {
    std::string wave = MakeWave({.formatTag = 3, .bits = 32, .frames = 4410});
    const float poison[] = {std::nanf(""), INFINITY, -INFINITY};
    for (std::size_t at = kHeaderBytes, i = 0; at + 4 <= wave.size(); at += 28, ++i)
        std::memcpy(wave.data() + at, &poison[i % 3], 4);
    return wave;
}

TEST_F(WaveStreamTest, NonFiniteSamplesPlayAsSilence) {
    const auto loaded = audio::LoadWaveFile(dir_.Write("nan.wav", WithNonFiniteSamples()));
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    const std::vector<float> mix = Pull(4410);
    for (float sample : mix) ASSERT_TRUE(std::isfinite(sample));
    EXPECT_NEAR(sound_files::Peak(mix), 0.5, 0.01);
}

TEST_F(WaveStreamTest, AFileRemovedAfterItsOpenStillPlays) {
    const auto file = dir_.Write("gone.wav", MakeWave({.frames = 88200}));
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    std::filesystem::remove(file);
    Player player(loaded.clip);
    player.Play(1000, std::nullopt, false);
    EXPECT_NEAR(sound_files::Peak(Pull(4410)), 0.5, 0.01);
}

TEST_F(WaveStreamTest, AFileCutAfterItsOpenEndsWhereItIsCut) {
    const std::string wave = MakeWave({.frames = 88200});
    const auto file = dir_.Write("cut.wav", wave);
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    std::filesystem::resize_file(file, kHeaderBytes + (wave.size() - kHeaderBytes) / 20);
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    Pull(44100);
    EXPECT_TRUE(test_support::Eventually([&] {
        return player.State() == audio::PlayState::Stopped;
    })) << "a tenth of a second plays, then the sound ends instead of going on silent";
}

struct OddSize {
    const char* name;
    std::uint32_t riffSize;
    std::uint32_t dataSize;
};

// Recorders write 0xFFFFFFFF while recording and many tools leave it; players play the file.
TEST_F(WaveStreamTest, PlaceholderSizesPlayWhatTheFileHolds) {
    const std::string wave = MakeWave({.frames = 4410});
    const std::uint32_t real = std::uint32_t(wave.size() - kHeaderBytes);
    const OddSize cases[] = {
        {"data size placeholder", real + 36, 0xFFFFFFFF},
        {"both placeholders", 0xFFFFFFFF, 0xFFFFFFFF},
        {"RIFF size past the end", real + 36 + 1'000'000, real},
    };
    for (const OddSize& odd : cases) {
        SCOPED_TRACE(odd.name);
        std::string bytes = wave;
        PutLittle32(bytes, 4, odd.riffSize);
        PutLittle32(bytes, 40, odd.dataSize);
        const auto loaded = audio::LoadWaveFile(dir_.Write("odd.wav", bytes));
        ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
        EXPECT_EQ(loaded.clip->LengthMs(), 100);
        Player player(loaded.clip);
        player.Play(std::nullopt, std::nullopt, false);
        EXPECT_NEAR(sound_files::Peak(Pull(4410)), 0.5, 0.01);
    }
}

// A file rewritten in place while it plays can give input again after its end was flushed;
// libsoxr has no room for input once flushing and wrote through a null pointer.
TEST(ResamplerTest, InputAfterTheEndWaitsForAClear) {
    audio::Resampler resampler(22050, 44100);
    const std::vector<float> input(2 * 1000, 0.25f);
    std::vector<float> out;
    resampler.Process(input.data(), 1000, out);
    resampler.Flush(out);
    const std::size_t ended = out.size();
    resampler.Process(input.data(), 1000, out);
    EXPECT_EQ(out.size(), ended);
    resampler.Clear();
    resampler.Process(input.data(), 1000, out);
    EXPECT_GT(out.size(), ended);
}

}  // namespace
