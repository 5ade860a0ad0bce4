// Audio CD images: only ordinary CUE sheets reach libcdio, which some releases crash on
// otherwise; a disc's voice renders exactly the sectors it was sent to, whatever the BIN layout.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>
#include <thread>
#include <tuple>

#include "offline_engine.h"
#include "platform/audio/cd_audio.h"
#include "platform/audio/cue_sheet_check.h"
#include "tests/support/cd_image.h"
#include "tests/support/process_resources.h"
#include "tests/support/temp_folder.h"

namespace {

using audio_test::Eventually;

TEST(CueSheetCheck, LetsOnlyOrdinarySheetsThrough) {
    const std::string plain =
        "REM made by a test\nFILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
        "  TRACK 02 AUDIO\n    PREGAP 00:02:00\n    INDEX 01 00:02:00\n";
    const std::tuple<const char*, std::string, bool> sheets[] = {
        {"plain", plain, true},
        {"lower case and carriage returns", "file \"a.bin\" binary\r\ntrack 1 audio\r\n", true},
        {"empty", "", false},
        {"track before file", "TRACK 01 AUDIO\nFILE \"a.bin\" BINARY\n", false},
        {"track zero", "FILE \"a.bin\" BINARY\nTRACK 00 AUDIO\n", false},
        // libcdio reads outside its tables for a disc that starts on a late track
        {"first track not one", "FILE \"a.bin\" BINARY\nTRACK 69 AUDIO\n", false},
        {"unknown track type", "FILE \"a.bin\" BINARY\nTRACK 01 VIDEO\n", false},
        {"frame past 74", "FILE \"a\" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:75\n", false},
        {"index outside a track", "FILE \"a\" BINARY\nINDEX 01 00:00:00\n", false},
        {"unknown command", plain + "EJECT NOW\n", false},
        {"control character", plain + "REM \x01\n", false},
    };
    for (const auto& [name, text, ordinary] : sheets)
        EXPECT_EQ(audio::IsPlainCueSheet(text), ordinary) << name;
}

const std::vector<sound_files::CdTrackTone> kTracks = {{440, 2}, {880, 2}};

// A FIFO blocks whoever opens it until a writer comes: refused, not waited on.
TEST(CdImage, NamingAFifoIsRefused) {
    test_support::TempFolder folder;
    const auto fifo = [&](const std::string& name) {
        std::filesystem::remove(folder.path() / name);
        EXPECT_EQ(mkfifo((folder.path() / name).c_str(), 0600), 0);
        return folder.path() / name;
    };
    const auto sheet = sound_files::WriteCdImage(folder.path(), "disc", kTracks);
    fifo("disc.bin");
    fifo("pipe.bin");
    const auto toc = folder.Write("disc.toc", "CD_DA\nTRACK AUDIO\nFILE \"pipe.bin\" 0\n");
    for (const auto& source : {sheet, toc, fifo("drive")})
        EXPECT_EQ(audio::LoadCdAudio(source.string()).error, audio::CdError::NotADisc) << source;
}

// The image's sample at a frame of a track, as the image holds it (half scale, 16 bits).
struct TrackTone {
    std::int64_t firstFrame;
    double hz;
    float At(std::int64_t frame) const {
        const double t = double(frame - firstFrame) / audio::kCdSampleRate;
        return float(std::lround(0.5 * 32767 * std::sin(2 * std::numbers::pi * hz * t))) / 32768.0f;
    }
};

// The same disc, 440 Hz then 880 Hz, as images are laid out.
struct Image {
    const char* name;
    std::filesystem::path (*write)(const std::filesystem::path& folder);
};

const Image kImages[] = {
    {"OneBin",
     [](const auto& folder) { return sound_files::WriteCdImage(folder, "disc", kTracks); }},
    {"OneBinPerTrack",
     [](const auto& folder) { return sound_files::WriteCdImage(folder, "disc", kTracks, true); }},
    // The sheet is read, not the BIN named after it.
    {"BinOfAnotherName",
     [](const auto& folder) {
         const auto sheet = sound_files::WriteCdImage(folder, "disc", {{660, 4}});
         std::filesystem::copy_file(sound_files::WriteCdImage(folder, "ten", kTracks), sheet,
                                    std::filesystem::copy_options::overwrite_existing);
         return sheet;
     }},
};

class CdClip : public audio_test::OfflineEngineTest, public testing::WithParamInterface<Image> {
  protected:
    void SetUp() override {
        OfflineEngineTest::SetUp();
        loaded = audio::LoadCdAudio(GetParam().write(folder.path()).string());
        ASSERT_EQ(loaded.error, audio::CdError::None);
    }

    // Renders the voice, which stands at `frame`, checking each frame until enough have come.
    void expectSoundFrom(audio::Voice& voice, std::int64_t frame, const TrackTone& track) {
        std::vector<float> block(2 * audio::kCdFramesPerSector);
        int checked = 0;
        ASSERT_TRUE(Eventually([&] {
            std::fill(block.begin(), block.end(), 0.0f);
            voice.Render(block.data(), audio::kCdFramesPerSector);
            for (int i = 0; i < audio::kCdFramesPerSector; ++i, ++frame) {
                if (block[2 * i] == 0.0f) continue;  // not read in time, or a zero crossing
                EXPECT_EQ(block[2 * i], track.At(frame)) << "frame " << frame;
                EXPECT_EQ(block[2 * i + 1], block[2 * i]) << "frame " << frame;
                ++checked;
            }
            return checked > 20000 || testing::Test::HasFailure();
        }));
    }

    test_support::TempFolder folder;
    audio::CdLoadResult loaded;
};

TEST_P(CdClip, CuesAndLoopsRenderTheSectorsAskedForAndNothingStale) {
    const TrackTone first{0, 440};
    const TrackTone second{150 * audio::kCdFramesPerSector, 880};
    EXPECT_EQ(loaded.clip->LengthMs(), 4000);
    EXPECT_EQ(loaded.clip->OutputLine(), audio::Line::Cd);
    const auto idle = loaded.clip->NewVoice();
    const std::int64_t end = loaded.clip->LengthFrames();
    const auto looping =
        idle->Cue({.from = second.firstFrame, .end = end, .loopStart = 1000, .repeat = true});
    expectSoundFrom(*looping, second.firstFrame, second);
    looping->Rewind();
    expectSoundFrom(*looping, 1000, first);
    const auto later = idle->Cue({.from = second.firstFrame + 12345, .end = end});
    expectSoundFrom(*later, second.firstFrame + 12345, second);
}

TEST_P(CdClip, APlayingDiscHoldsLittleMemory) {
    constexpr std::size_t kDiscs = 8;
    const std::size_t before = test_support::LiveHeapBytes();
    std::vector<std::unique_ptr<audio::Voice>> discs;
    std::vector<float> block(2 * audio::kCdFramesPerSector);
    for (std::size_t i = 0; i < kDiscs; ++i) {
        discs.push_back(loaded.clip->NewVoice()->Cue({.from = 0, .end = 588 * 300}));
        ASSERT_TRUE(Eventually([&] { return discs.back()->Render(block.data(), 588); }));
    }
    const std::size_t each = (test_support::LiveHeapBytes() - before) / kDiscs;
    RecordProperty("bytes_per_disc", std::to_string(each));
    EXPECT_LT(each, 512u * 1024);
}

// libcdio aborts when two threads log at once, and it logs as it opens a disc.
TEST_P(CdClip, DiscsOpenAndPlayFromSeveralThreadsAtOnce) {
    const auto broken = folder.path() / "broken.cue";
    std::ofstream(broken) << "FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n";
    std::vector<std::jthread> threads;
    for (int thread = 0; thread < 4; ++thread)
        threads.emplace_back([&] {
            for (int round = 0; round < 50; ++round) {
                EXPECT_EQ(audio::LoadCdAudio(broken.string()).error, audio::CdError::NotADisc);
                const auto reading = loaded.clip->NewVoice()->Cue({.from = 0, .end = 588 * 150});
                EXPECT_EQ(audio::LoadCdAudio(broken.string()).error, audio::CdError::NotADisc);
            }
        });
}

INSTANTIATE_TEST_SUITE_P(Images, CdClip, testing::ValuesIn(kImages),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
