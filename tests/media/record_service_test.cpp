// Wave recording end to end on the real service and the null sink: what an input alias plays
// lands in a new file of the asked format, cancelling from an event handler keeps what was
// recorded, and the ways it can go wrong leave the devices as they should be.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
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

constexpr int kRate = 22050;
constexpr int kStepMs = 250;
const std::vector<double> kSteps = {0.8, 0.0, 0.4, 0.8, 0.1, 0.6, 0.0, 0.3, 0.7, 0.2, 0.5, 0.0};

// A window that runs `handler` for each message posted to it, as an event of the interface.
class EventWindow {
  public:
    explicit EventWindow(std::function<void(EventWindow&)> handler)
        : handler_(std::move(handler)),
          hWnd_(RegisterWindowHandle(
              [this](std::uint32_t, std::int32_t, std::int32_t) { handler_(*this); })) {}
    ~EventWindow() { ReleaseWindowHandle(hWnd_); }
    void Post() { PostMessageA(hWnd_, 0x400, 0, 0); }

  private:
    std::function<void(EventWindow&)> handler_;
    std::int32_t hWnd_;
};

sound_files::DecodedWave readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return sound_files::ReadWave(std::string(std::istreambuf_iterator<char>(in), {}));
}

double milliseconds(const sound_files::DecodedWave& wave) {
    return wave.samples.size() * 1000.0 / (wave.rate * std::max(wave.channels, 1));
}

// Loudness (RMS) of each `windowMs` stretch of the first channel.
std::vector<double> envelope(const sound_files::DecodedWave& wave, int windowMs) {
    const std::size_t frames = std::size_t(wave.rate) * windowMs / 1000;
    const std::size_t total = wave.samples.size() / std::size_t(wave.channels);
    std::vector<double> levels;
    for (std::size_t start = 0; start + frames <= total; start += frames) {
        double sum = 0;
        for (std::size_t f = start; f < start + frames; ++f) {
            const double s = wave.samples[f * std::size_t(wave.channels)];
            sum += s * s;
        }
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

// How well the recording's loudness follows the source's, at the best small delay.
double envelopeMatch(const sound_files::DecodedWave& source, const sound_files::DecodedWave& take,
                     std::size_t sourceWindows) {
    const int windowMs = 25;
    auto wanted = envelope(source, windowMs);
    wanted.resize(std::min(wanted.size(), sourceWindows));
    const auto got = envelope(take, windowMs);
    double best = -1;
    for (std::size_t delay = 0; delay < 8 && delay < got.size(); ++delay)
        best =
            std::max(best, correlation(wanted, std::vector(got.begin() + long(delay), got.end())));
    return best;
}

class RecordWaveService : public mci_test::ServiceTest {
  protected:
    void SetUp() override {
        Write("in/source.wav", sound_files::SteppedToneWave(kSteps, kStepMs, kRate));
        folder.MakeFolder("out");
    }
    sound_files::DecodedWave Source() const {
        return readFile(folder.path() / "in" / "source.wav");
    }
    fs::path Take() const { return folder.path() / "out" / "take.wav"; }  // as the caller spelt it

    test_support::ScopedDrives drive{{{'R', folder.path(), "test"}}};
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

TEST_F(RecordWaveService, RecordsWhatTheInputPlaysInTheAskedFormat) {
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    mci.MCIa_RecordCancel();  // made before the wait begins, so it must change nothing
    ASSERT_EQ(mci.MCIa_RecordWave("TAKE", "R:\\out\\take.wav", 16, 2, 11025, "SOURCE"), vbTrue);

    const auto take = readFile(Take());
    EXPECT_EQ(take.channels, 2);
    EXPECT_EQ(take.rate, 11025);
    EXPECT_EQ(take.bits, 16);
    EXPECT_NEAR(milliseconds(take), 3000, 120);
    EXPECT_GT(envelopeMatch(Source(), take, 120), 0.95);
    EXPECT_EQ(Send("status SOURCE mode").text, "stopped");
    EXPECT_EQ(NumberOf("status SOURCE position"), 0) << "the input is left at its start";
    EXPECT_NE(Send("status TAKE mode").code, 0u) << "the recording device is closed";
}

TEST_F(RecordWaveService, ACancelFromAnEventHandlerSavesWhatWasRecorded) {
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    // The handler looks again on each delivery until a second has played, then cancels;
    // the deadline only keeps a broken service from holding the test.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    EventWindow canceller([&](EventWindow& self) {
        if (NumberOf("status SOURCE position") >= 1000 ||
            std::chrono::steady_clock::now() > deadline)
            mci.MCIa_RecordCancel();
        else
            self.Post();
    });
    canceller.Post();
    ASSERT_EQ(mci.MCIa_RecordWave("TAKE", "R:\\out\\take.wav", 8, 1, 8000, "SOURCE"), vbTrue);

    const auto take = readFile(Take());
    EXPECT_EQ(take.bits, 8);
    EXPECT_NEAR(milliseconds(take), 1000, 150);
    EXPECT_GT(envelopeMatch(Source(), take, 36), 0.95);
    EXPECT_EQ(NumberOf("status SOURCE position"), 0);
}

TEST_F(RecordWaveService, AFolderThatVanishesWhileRecordingStillEndsTheCall) {
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    EventWindow remover([&](EventWindow&) {
        fs::remove_all(folder.path() / "out");
        mci.MCIa_RecordCancel();
    });
    remover.Post();
    EXPECT_EQ(mci.MCIa_RecordWave("TAKE", "R:\\out\\take.wav", 16, 1, kRate, "SOURCE",
                                  {.ShowErrors = vbTrue}),
              vbTrue);
    EXPECT_FALSE(fs::exists(folder.path() / "out"));
    EXPECT_NE(Send("status TAKE mode").code, 0u);
    EXPECT_EQ(Send("status SOURCE mode").text, "stopped");
    EXPECT_TRUE(boxes.boxes.empty()) << "saving is quiet";
}

TEST_F(RecordWaveService, RefusedCommandsCloseTheRecordingDevice) {
    struct Case {
        const char* name;
        const char* input;
        std::int32_t bits, channels;
    };
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    for (const Case& c : {Case{"InputNotOpen", "NOTOPEN", 16, 2},
                          Case{"FormatTheRecorderRefuses", "SOURCE", 12, 3}}) {
        boxes.boxes.clear();
        EXPECT_EQ(mci.MCIa_RecordWave("TAKE", "R:\\out\\take.wav", c.bits, c.channels, kRate,
                                      c.input, {.ShowErrors = vbTrue}),
                  vbFalse)
            << c.name;
        EXPECT_EQ(boxes.boxes.size(), 1u) << c.name;
        EXPECT_NE(Send("status TAKE mode").code, 0u) << c.name;
        EXPECT_FALSE(fs::exists(Take())) << c.name;
    }
    EXPECT_EQ(NumberOf("status SOURCE position"), 0);
}

}  // namespace
