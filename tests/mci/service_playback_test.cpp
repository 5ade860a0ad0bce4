// Playing, pausing, seeking, waiting and notices through mciSendStringA, as the two channels do.
#include <array>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/multimedia.h"
#include "platform/user_interface.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class Playback : public ServiceTest {
  protected:
    void SetUp() override {
        midi = Write("my songs/a b.mid", sound_files::NoteSong(4));      // 2000 ms
        wave = Write("my sounds/c d.wav", sound_files::ToneWave(1500));  // 1500 ms
        ASSERT_EQ(Send("open Sequencer!" + midi + " alias MIDI wait").code, 0u);
        ASSERT_EQ(Send("open WaveAudio!" + wave + " alias WAVE wait").code, 0u);
        ASSERT_EQ(Send("set MIDI time format milliseconds").code, 0u);
    }

    std::string midi;
    std::string wave;
};

bool PassesPosition(const std::string& alias, std::int64_t position) {
    return test_support::Eventually(
        [&] { return NumberOf("status " + alias + " position") > position; });
}

// The window's test has both channels play and stop apart; here the places they hold. The wave
// file is gone before its play: what was opened still plays.
TEST_F(Playback, APausedDeviceHoldsItsPlaceWhileAnotherPlaysOn) {
    EXPECT_EQ(NumberOf("status MIDI length"), 2000);
    EXPECT_EQ(NumberOf("status WAVE length"), 1500);
    std::filesystem::remove(wave);
    ASSERT_EQ(Send("play MIDI").code, 0u);
    ASSERT_EQ(Send("play WAVE").code, 0u);
    ASSERT_TRUE(PassesPosition("WAVE", 0));
    ASSERT_EQ(Send("pause WAVE").code, 0u);
    EXPECT_EQ(Send("status WAVE mode").text, "paused");
    // The mix applies the pause at its next period, which may still play a few milliseconds.
    EXPECT_TRUE(PassesPosition("MIDI", NumberOf("status MIDI position") + 50));
    const std::int64_t wavePaused = NumberOf("status WAVE position");
    EXPECT_TRUE(PassesPosition("MIDI", NumberOf("status MIDI position") + 100));
    EXPECT_EQ(NumberOf("status WAVE position"), wavePaused);
    ASSERT_EQ(Send("resume WAVE").code, 0u);
    EXPECT_TRUE(PassesPosition("WAVE", wavePaused));
    EXPECT_EQ(Send("stop all wait").code, 0u);
    EXPECT_EQ(Send("status MIDI mode").text, "stopped");
    EXPECT_EQ(Send("status WAVE mode").text, "stopped");
}

TEST_F(Playback, PlayWaitReturnsAtTheToPositionOrTheEnd) {
    const auto start = Clock::now();
    ASSERT_EQ(Send("play WAVE from 0 to 300 wait").code, 0u);
    EXPECT_GE(Clock::now() - start, 250ms);
    EXPECT_EQ(Send("status WAVE mode").text, "stopped");
    EXPECT_EQ(NumberOf("status WAVE position"), 300);

    const auto second = Clock::now();
    ASSERT_EQ(Send("play WAVE from 1200 wait").code, 0u);
    EXPECT_GE(Clock::now() - second, 250ms);
    EXPECT_EQ(Send("status WAVE mode").text, "stopped");
    // Played to its end, the device is stopped: pause and resume have nothing to act on.
    EXPECT_EQ(Send("pause WAVE").code, 302u);
    EXPECT_EQ(Send("resume WAVE").code, 302u);
    ASSERT_EQ(Send("play MIDI").code, 0u);
    EXPECT_EQ(Send("resume MIDI").code, 0u);
    EXPECT_EQ(Send("pause MIDI").code, 0u);
    EXPECT_EQ(Send("pause MIDI").code, 0u);
}

TEST_F(Playback, CloseWakesAPlayWaitingOnAnotherThread) {
    std::uint32_t code = 99;
    std::thread waiter([&code] { code = Send("play MIDI wait").code; });
    ASSERT_TRUE(PassesPosition("MIDI", 0));
    EXPECT_EQ(Send("close MIDI").code, 0u);
    waiter.join();  // a close that did not wake it would leave this hanging
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Send("status MIDI mode").code, 263u);
}

TEST_F(Playback, AliasesNameOneDeviceFromOpenToClose) {
    EXPECT_EQ(Send("open WaveAudio!" + wave + " alias wave").code, 289u);
    EXPECT_EQ(Send("status midi mode").text, "stopped");
    EXPECT_EQ(Send("close WAVE wait").code, 0u);
    EXPECT_EQ(Send("open WaveAudio!" + wave + " alias WAVE wait").code, 0u);
    // Opened without an alias, a file is known by its own name; quoted, it may hold spaces.
    EXPECT_EQ(Send("open " + wave).code, 0u);
    EXPECT_EQ(Send("open " + wave).code, 265u);
    EXPECT_EQ(Send("status \"" + wave + "\" mode").text, "stopped");
    EXPECT_EQ(Send("close \"" + wave + "\"").code, 0u);
}

TEST_F(Playback, ShortReplyBuffersGetAsMuchAsFits) {
    std::array<char, 4> small;
    small.fill('#');
    EXPECT_EQ(mciSendStringA("status WAVE length", small.data(), 3, 0), 0u);
    EXPECT_STREQ(small.data(), "15");
    EXPECT_EQ(small[3], '#');
    EXPECT_EQ(mciSendStringA("status WAVE length", small.data(), 0, 0), 0u);
    EXPECT_EQ(small[0], '1') << "a buffer of no length is left alone";
    EXPECT_EQ(mciSendStringA("status WAVE length", nullptr, 260, 0), 0u);
    EXPECT_EQ(mciSendStringA(nullptr, nullptr, 0, 0), 267u);
}

// Completion messages of commands that carry "notify": which come, in what order, for one device.
struct NotifyCase {
    std::vector<std::string> commands;  // sent in turn; W is a 200 ms sound
    std::vector<std::int32_t> flags;    // the notices that come, and no more
    bool toWindow = true;
};

class Notify : public ServiceTest, public testing::WithParamInterface<NotifyCase> {
  protected:
    void SetUp() override {
        window = RegisterWindowHandle(
            [this](std::uint32_t message, std::int32_t flag, std::int32_t device) {
                if (message == MM_MCINOTIFY) notices.push_back({flag, device});
            });
        const std::string wave = Write("short.wav", sound_files::ToneWave(200));
        ASSERT_EQ(Send("open WaveAudio!" + wave + " alias W").code, 0u);
    }
    void TearDown() override {
        ServiceTest::TearDown();
        ReleaseWindowHandle(window);
    }

    // Delivers posted messages until `count` notices have come or `patience` has passed.
    void Await(std::size_t count, std::chrono::milliseconds patience) {
        test_support::Eventually(
            [&] {
                DispatchPostedMessages();
                return notices.size() >= count;
            },
            patience);
    }

    std::int32_t window = 0;
    std::vector<std::pair<std::int32_t, std::int32_t>> notices;  // flag, device
};

TEST_P(Notify, PostsItsNoticesForOneDevice) {
    const NotifyCase& row = GetParam();
    SCOPED_TRACE(row.commands.back());
    for (const std::string& command : row.commands) Send(command, row.toWindow ? window : 0);
    Await(row.flags.size(), 20s);        // only a hang runs out
    Await(row.flags.size() + 1, 400ms);  // a notice too many would come by now
    std::vector<std::int32_t> flags;
    for (const auto& [flag, device] : notices) {
        flags.push_back(flag);
        EXPECT_GT(device, 0);
        EXPECT_EQ(device, notices[0].second) << "all for one device";
    }
    EXPECT_EQ(flags, row.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Service, Notify,
    testing::Values(
        NotifyCase{{"play W notify"}, {MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{{"play W notify", "stop W"}, {MCI_NOTIFY_ABORTED}},
        NotifyCase{{"play W notify", "status W mode notify"},
                   {MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{{"play W wait notify"}, {MCI_NOTIFY_SUCCESSFUL}},
        // A record runs on like a play: it succeeds at its "to", and one stopped before is aborted.
        NotifyCase{{"open new type waveaudio alias R", "record R to 150 notify"},
                   {MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{{"open new type waveaudio alias R", "record R notify", "stop R"},
                   {MCI_NOTIFY_ABORTED}},
        NotifyCase{{"seek W to end notify", "seek W to 5000 notify", "close W notify"},
                   {MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUCCESSFUL}},  // the refused seek posts none
        NotifyCase{{"play W notify"}, {}, false}));                  // no window, no message

}  // namespace
}  // namespace mci_test
