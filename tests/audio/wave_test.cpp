// WAVE files on the offline sink: decoded, streamed from disk and resampled to the engine's rate.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <tuple>

#include "offline_engine.h"
#include "platform/audio/clip.h"
#include "platform/audio/player.h"
#include "platform/audio/resampler.h"
#include "platform/audio/spsc_ring.h"
#include "tests/support/process_resources.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using audio::LoadError;
using audio::Player;
using sound_files::MakeWave;
using sound_files::Patched;
using sound_files::Peak;
using sound_files::WaveLayout;

constexpr std::size_t kHeaderBytes = 44;

class WaveTest : public audio_test::OfflineEngineTest {
  protected:
    // Plays a file from `fromMs` and returns the next `frames` of the mix.
    std::vector<float> Played(const audio::LoadResult& loaded, std::int64_t fromMs, int frames) {
        EXPECT_EQ(loaded.error, LoadError::None) << loaded.detail;
        if (!loaded.clip) return {};
        Player player(loaded.clip);
        player.Play(fromMs, std::nullopt, false);
        return Pull(frames);
    }

    // A file of `dataBytes` of sound (its header says so, or past 4 GiB holds the placeholder)
    // that holds only `wave`'s samples at its start (and, with `toneAt`, again at that byte
    // offset of the data): the rest is a hole that takes no disk space.
    std::filesystem::path SparseWave(const std::string& wave, std::uint64_t dataBytes,
                                     std::uint64_t toneAt = 0) {
        const bool placeholder = dataBytes + 36 > 0xFFFFFFFF;
        const std::string header =
            Patched(Patched(wave.substr(0, kHeaderBytes), 4,
                            placeholder ? 0xFFFFFFFF : std::uint32_t(dataBytes + 36)),
                    40, placeholder ? 0xFFFFFFFF : std::uint32_t(dataBytes));
        const auto file = dir_.Write("sparse.wav", header);
        std::filesystem::resize_file(file, kHeaderBytes + dataBytes);
        std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(std::streamoff(kHeaderBytes + toneAt));
        out.write(wave.data() + kHeaderBytes, std::streamsize(wave.size() - kHeaderBytes));
        return file;
    }

    test_support::TempFolder dir_;
};

TEST_F(WaveTest, EveryLayoutDecodesToTheSameTone) {
    const std::pair<const char*, WaveLayout> layouts[] = {
        {"8-bit mono 8 kHz", {.channels = 1, .rate = 8000, .bits = 8, .frames = 4000}},
        {"16-bit stereo 44.1 kHz", {.frames = 22050}},
        {"24-bit stereo 48 kHz", {.rate = 48000, .bits = 24, .frames = 24000}},
        {"32-bit mono 96 kHz", {.channels = 1, .rate = 96000, .bits = 32, .frames = 48000}},
        {"float stereo 22.05 kHz", {.formatTag = 3, .rate = 22050, .bits = 32, .frames = 11025}},
        {"16-bit quad 11.025 kHz", {.channels = 4, .rate = 11025, .frames = 5513}},
    };
    for (const auto& [name, wave] : layouts) {
        SCOPED_TRACE(name);
        const auto result = audio::LoadWaveFile(dir_.Write("tone.wav", MakeWave(wave)));
        ASSERT_EQ(result.error, LoadError::None) << result.detail;
        EXPECT_EQ(result.clip->OutputLine(), audio::Line::Wave);
        EXPECT_EQ(result.clip->LengthMs(), 500);
        EXPECT_NEAR(double(result.clip->LengthFrames()), 22050.0, 2.0);
        const std::vector<float> samples = Played(result, 0, int(result.clip->LengthFrames()));
        // Four channels of the same tone: the rear pair folds into both sides.
        const bool quad = wave.channels == 4;
        EXPECT_NEAR(Peak(samples), quad ? 0.7071f : 0.5f, quad || wave.bits == 8 ? 0.02f : 0.01f);
        for (std::size_t i = 0; i < samples.size(); i += 2)
            ASSERT_FLOAT_EQ(samples[i], samples[i + 1]) << "at frame " << i / 2;
    }
}

// Recorders write 0xFFFFFFFF while recording and many tools leave it: such a file plays what
// it holds, where one whose sizes say more than that is refused.
TEST_F(WaveTest, HeaderSizesThatLieAreRefusedAndPlaceholdersPlay) {
    const std::string broken = MakeWave({.frames = 1000});
    const std::string tone = MakeWave({.frames = 4410});
    const std::uint32_t real = std::uint32_t(tone.size() - kHeaderBytes);
    const std::tuple<const char*, std::string, LoadError> cases[] = {
        {"header only", MakeWave({.frames = 0}), LoadError::InvalidFormat},
        {"truncated data", broken.substr(0, broken.size() - 100), LoadError::InvalidFormat},
        {"data size lies", Patched(broken, 40, 10'000'000), LoadError::InvalidFormat},
        {"unknown encoding", Patched(broken, 20, 0x7777, 2), LoadError::InvalidFormat},
        {"data size placeholder", Patched(tone, 40, 0xFFFFFFFF), LoadError::None},
        {"RIFF size past the end", Patched(tone, 4, real + 36 + 1'000'000), LoadError::None},
    };
    for (const auto& [name, bytes, error] : cases) {
        SCOPED_TRACE(name);
        const auto result = audio::LoadWaveFile(dir_.Write("odd.wav", bytes));
        EXPECT_EQ(result.error, error) << result.detail;
        EXPECT_EQ(result.clip == nullptr, error != LoadError::None);
        if (!result.clip) {
            EXPECT_FALSE(result.detail.empty());
            continue;
        }
        EXPECT_EQ(result.clip->LengthMs(), 100);
        EXPECT_NEAR(Peak(Played(result, 0, 4410)), 0.5, 0.01);
    }
}

TEST_F(WaveTest, TwentyMinutesAt768KHzOpenAndSoundInLittleMemory) {
    const std::string tone =
        MakeWave({.channels = 1, .rate = 768000, .frames = 4096, .toneHz = 1000});
    const auto file = SparseWave(tone, 1200u * 768000u * 2u);
    const std::size_t before = test_support::LiveHeapBytes();
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    EXPECT_EQ(loaded.clip->LengthMs(), 1200 * 1000);
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    EXPECT_GT(Peak(Pull(256)), 0.1f);
    const long grownKb = (long(test_support::LiveHeapBytes()) - long(before)) / 1024;
    RecordProperty("heap_kb", std::to_string(grownKb));
    EXPECT_LT(grownKb, 8 * 1024);
    Pull(44100);
    EXPECT_EQ(player.PositionMs(), 1006);
}

// Past 4 GiB a data size can only be the placeholder, where libsndfile stops reading; a seek
// there plays from the place asked, not from the last read.
TEST_F(WaveTest, APlaceholderWavPlaysAndSeeksPastFourGiB) {
    constexpr std::uint64_t kFourGiB = std::uint64_t(1) << 32;
    const auto loaded = audio::LoadWaveFile(
        SparseWave(MakeWave({.frames = 4410, .toneHz = 1000}), kFourGiB + 4 * 4410, kFourGiB));
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    const std::int64_t toneMs = kFourGiB / 4 * 1000 / 44100;
    EXPECT_EQ(loaded.clip->LengthMs(), (kFourGiB / 4 + 4410) * 1000 / 44100);
    Player player(loaded.clip);
    player.Play(toneMs + 10, std::nullopt, false);
    EXPECT_NEAR(Peak(Pull(441)), 0.5, 0.01);
    player.Play(toneMs / 2, std::nullopt, false);
    EXPECT_EQ(Peak(Pull(2048)), 0.0f);
    player.Play(toneMs - 10, std::nullopt, false);
    EXPECT_EQ(Peak(Pull(441)), 0.0f);
    EXPECT_NEAR(Peak(Pull(441)), 0.5, 0.01);
}

// One that holds less than its header said ends where its sound ends, not silent to its length.
TEST_F(WaveTest, AFileCutAfterItsOpenPlaysWhatItHolds) {
    const std::string wave = MakeWave({.frames = 88200});
    const auto file = dir_.Write("cut.wav", wave);
    const auto loaded = audio::LoadWaveFile(file);
    ASSERT_EQ(loaded.error, LoadError::None) << loaded.detail;
    std::filesystem::resize_file(file, kHeaderBytes + (wave.size() - kHeaderBytes) / 20);
    Player player(loaded.clip);
    player.Play(std::nullopt, std::nullopt, false);
    Pull(44100);
    EXPECT_TRUE(audio_test::Eventually([&] { return player.State() == audio::PlayState::Stopped; }))
        << "a tenth of a second plays, then the sound ends instead of going on silent";
}

TEST_F(WaveTest, NonFiniteSamplesPlayAsSilence) {
    std::string wave = MakeWave({.formatTag = 3, .bits = 32, .frames = 4410});
    const float poison[] = {std::nanf(""), INFINITY, -INFINITY};
    for (std::size_t at = kHeaderBytes, i = 0; at + 4 <= wave.size(); at += 28, ++i)
        std::memcpy(wave.data() + at, &poison[i % 3], 4);
    const std::vector<float> mix =
        Played(audio::LoadWaveFile(dir_.Write("nan.wav", wave)), 0, 4410);
    for (float sample : mix) ASSERT_TRUE(std::isfinite(sample));
    EXPECT_NEAR(Peak(mix), 0.5, 0.01);
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

// The read-ahead rings are written and read in bulk: a stretch past the end goes on at the start.
TEST(SpscRingTest, BulkWritesAndReadsWrapAround) {
    audio::SpscRing<int, 8> ring;
    const int items[] = {0, 1, 2, 3, 4, 5, 6, 7};
    ring.Write(items, 6);
    ring.Consume(5);
    EXPECT_EQ(ring.Write(items, 8), 7u);
    const auto parts = ring.Readable();
    std::vector<int> read(parts[0].begin(), parts[0].end());
    read.insert(read.end(), parts[1].begin(), parts[1].end());
    EXPECT_EQ(read, (std::vector<int>{5, 0, 1, 2, 3, 4, 5, 6}));
}

}  // namespace
