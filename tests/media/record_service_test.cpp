// Wave recording end to end on the real service and the null sink: what an input alias plays
// lands in a new file of the asked format, and a cancel from an event handler keeps what was
// recorded and leaves the devices as they should be.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "media/cmci_adv.h"
#include "platform/user_interface.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sound_files.h"

namespace {

namespace fs = std::filesystem;
using mci_test::NumberOf;
using mci_test::Send;

sound_files::DecodedWave readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return sound_files::ReadWave(std::string(std::istreambuf_iterator<char>(in), {}));
}

// Loudness (RMS) of each 25 ms of the first channel.
std::vector<double> envelope(const sound_files::DecodedWave& wave) {
    const std::size_t frames = std::size_t(wave.rate) / 40;
    const std::size_t step = std::size_t(std::max(wave.channels, 1));
    std::vector<double> levels;
    if (frames == 0) return levels;
    for (std::size_t start = 0; (start + frames) * step <= wave.samples.size(); start += frames) {
        double sum = 0;
        for (std::size_t f = start; f < start + frames; ++f)
            sum += std::pow(wave.samples[f * step], 2);
        levels.push_back(std::sqrt(sum / double(frames)));
    }
    return levels;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const std::size_t n = std::min(a.size(), b.size());
    double meanA = 0, meanB = 0;
    for (std::size_t i = 0; i < n; ++i) meanA += a[i] / double(n), meanB += b[i] / double(n);
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

class RecordWaveService : public mci_test::ServiceTest {
  protected:
    test_support::ScopedDrives drive{{{'R', folder.path(), "test"}}};
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

TEST_F(RecordWaveService, ACancelFromAnEventHandlerSavesWhatWasRecordedInTheAskedFormat) {
    const std::vector<double> steps = {0.8, 0.0, 0.4, 0.8, 0.1, 0.6, 0.0, 0.3, 0.7, 0.2, 0.5, 0.0};
    Write("in/source.wav", sound_files::SteppedToneWave(steps, 250, 22050));
    folder.MakeFolder("out");
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    mci.MCIa_RecordCancel();  // made before the wait begins, so it must change nothing
    // The handler looks again on each delivery until a second has played, then cancels;
    // the deadline only keeps a broken service from holding the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::int32_t canceller = 0;
    canceller = RegisterWindowHandle([&](std::uint32_t, std::int32_t, std::int32_t) {
        if (NumberOf("status SOURCE position") >= 1000 ||
            std::chrono::steady_clock::now() > deadline)
            mci.MCIa_RecordCancel();
        else
            PostMessageA(canceller, 0x400, 0, 0);
    });
    PostMessageA(canceller, 0x400, 0, 0);
    EXPECT_EQ(mci.MCIa_RecordWave("TAKE", "R:\\out\\take.wav", 16, 2, 11025, "SOURCE",
                                  {.ShowErrors = vbTrue}),
              vbTrue);
    ReleaseWindowHandle(canceller);

    // Written under the spelling the caller gave, not its upper-cased short name.
    const auto take = readFile(folder.path() / "out" / "take.wav");
    EXPECT_EQ(take.channels, 2);
    EXPECT_EQ(take.rate, 11025);
    EXPECT_EQ(take.bits, 16);
    EXPECT_NEAR(take.samples.size() * 1000.0 / (take.rate * std::max(take.channels, 1)), 1000, 150);
    // The take's loudness follows the source's, at the best small delay.
    auto wanted = envelope(readFile(folder.path() / "in" / "source.wav"));
    wanted.resize(36);
    const auto got = envelope(take);
    double best = -1;
    for (std::size_t delay = 0; delay < 8 && delay < got.size(); ++delay)
        best =
            std::max(best, correlation(wanted, std::vector(got.begin() + long(delay), got.end())));
    EXPECT_GT(best, 0.95);
    EXPECT_EQ(Send("status SOURCE mode").text, "stopped");
    EXPECT_EQ(NumberOf("status SOURCE position"), 0) << "the input is left at its start";
    EXPECT_NE(Send("status TAKE mode").code, 0u) << "the recording device is closed";
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
