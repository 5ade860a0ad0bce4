// The cdaudio device on damaged disc images: each opens or is refused, and nothing hangs.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/mci/cd_drives.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/byte_mutation.h"
#include "tests/support/cd_image.h"

namespace mci_test {
namespace {

class CdAudio : public ServiceTest {
  protected:
    void SetUp() override { mci::ReplaceCdDrives({{'D', cue.string()}}); }
    void TearDown() override {
        ServiceTest::TearDown();
        mci::ReplaceCdDrives({});
    }

    const std::filesystem::path cue =
        sound_files::WriteCdImage(folder.path(), "disc", {{440, 2}, {880, 1}});
};

using Clock = std::chrono::steady_clock;

// Drive D's image rewritten: the plain sheet and ones the loader must take apart besides, each
// naming disc.bin, the BIN the image helper writes beside them.
TEST_F(CdAudio, DamagedImagesOpenOrAreRefused) {
    const std::vector<std::string> seeds = {
        folder.Read(cue.filename().string()),
        "REM GENRE Test\nPERFORMER \"A \\\"B\\\"\"\nFILE \"disc.bin\" BINARY\n"
        "  TRACK 01 AUDIO\n    PREGAP 00:02:00\n    INDEX 00 00:00:00\n    INDEX 01 00:01:00\n"
        "  TRACK 02 MODE1/2352\n    INDEX 01 00:03:10\n  TRACK 03 AUDIO\n"
        "    INDEX 01 00:04:74\n    POSTGAP 00:00:10\n",
        "FILE \"disc.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 99:59:74\n",
        "FILE disc.bin WAVE\n  TRACK 1 AUDIO\n    FLAGS DCP PRE 4CH\n    INDEX 1 0:0:0\n"
        "FILE \"missing.bin\" BINARY\n  TRACK 2 AUDIO\n    INDEX 1 0:1:0\n",
    };
    const std::size_t binSize = folder.Read("disc.bin").size();

    std::mt19937 random(20261206);
    const auto deadline = Clock::now() + test_support::FuzzSeconds(std::chrono::seconds(4));
    int tried = 0;
    int opened = 0;
    for (; Clock::now() < deadline; ++tried) {
        std::ofstream(cue, std::ios::binary)
            << test_support::MutateBytes(seeds[tried % seeds.size()], random);
        // Cut mid-sector, emptied, or grown past what the sheet names (the growth reads as
        // silence, which the loader need not tell from music).
        std::filesystem::resize_file(folder.path() / "disc.bin", random() % (binSize * 5 / 4));
        const Reply open = Send("open d: type cdaudio alias cd wait");
        if (open.code != 0) {
            ASSERT_FALSE(open.text.empty()) << open.code;
            continue;
        }
        ++opened;
        Send("status cd number of tracks");
        Send("status cd length track " + std::to_string(1 + random() % 3));
        Send("set cd time format tmsf");
        Send("play cd from " + std::to_string(1 + random() % 3));
        Send("seek cd to " + std::to_string(random() % 4) + ":0:" + std::to_string(random() % 4));
        Send("status cd position");
        ASSERT_EQ(Send("close cd wait").code, 0u) << tried;
    }
    EXPECT_GT(tried, 50);
    EXPECT_GT(opened, 0) << "the damage left no image whole enough to open";
}

}  // namespace
}  // namespace mci_test
