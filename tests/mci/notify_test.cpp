// Completion messages of commands that carry "notify".
#include <chrono>
#include <vector>

#include "platform/multimedia.h"
#include "platform/user_interface.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

using namespace std::chrono_literals;

struct Notice {
    std::int32_t flag;
    std::int32_t deviceId;
    bool operator==(const Notice&) const = default;
};

class Notify : public ServiceTest {
  protected:
    void SetUp() override {
        window = RegisterWindowHandle(
            [this](std::uint32_t message, std::int32_t flag, std::int32_t device) {
                if (message == MM_MCINOTIFY) notices.push_back({flag, device});
            });
        ASSERT_EQ(
            Send("open WaveAudio!" + Write("short.wav", sound_files::ToneWave(200)) + " alias W")
                .code,
            0u);
    }
    void TearDown() override {
        ServiceTest::TearDown();
        ReleaseWindowHandle(window);
    }

    // Delivers posted messages until `count` notices have come or `patience` has passed.
    std::vector<Notice> Await(std::size_t count, std::chrono::milliseconds patience = 1s) {
        test_support::Eventually(
            [&] {
                DispatchPostedMessages();
                return notices.size() >= count;
            },
            patience);
        return notices;
    }

    std::int32_t window = 0;
    std::vector<Notice> notices;
};

TEST_F(Notify, APlayThatEndsBySelfSucceeds) {
    ASSERT_EQ(Send("play W notify", window).code, 0u);
    const auto got = Await(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_GT(got[0].deviceId, 0);
}

TEST_F(Notify, StopAbortsAPendingPlay) {
    ASSERT_EQ(Send("play W notify", window).code, 0u);
    ASSERT_EQ(Send("stop W").code, 0u);
    const auto got = Await(2, 400ms);
    ASSERT_EQ(got.size(), 1u) << "the stopped play never ends by itself";
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_ABORTED);
}

TEST_F(Notify, AnotherNotifyingCommandSupersedesAPendingPlay) {
    ASSERT_EQ(Send("play W notify", window).code, 0u);
    ASSERT_EQ(Send("status W mode notify", window).text, "playing");
    const auto got = Await(2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_SUPERSEDED);
    EXPECT_EQ(got[1].flag, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(got[0].deviceId, got[1].deviceId);
}

TEST_F(Notify, PlayWaitNotifyHasPostedWhenItReturns) {
    ASSERT_EQ(Send("play W wait notify", window).code, 0u);
    const auto got = Await(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_SUCCESSFUL);
}

// A record runs on like a play: it succeeds when it has recorded up to its "to", and one
// stopped before is aborted.
TEST_F(Notify, ARecordNotifiesAtItsEnd) {
    ASSERT_EQ(Send("open new type waveaudio alias R").code, 0u);
    ASSERT_EQ(Send("record R to 150 notify", window).code, 0u);
    auto got = Await(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(Send("status R length").text, "150");
    ASSERT_EQ(Send("record R notify", window).code, 0u);
    ASSERT_EQ(Send("stop R").code, 0u);
    got = Await(2);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].flag, MCI_NOTIFY_ABORTED);
}

TEST_F(Notify, ImmediateCommandsSucceedAndFailuresPostNothing) {
    ASSERT_EQ(Send("seek W to end notify", window).code, 0u);
    EXPECT_EQ(Send("seek W to 5000 notify", window).code, 282u);
    ASSERT_EQ(Send("close W notify", window).code, 0u);
    const auto got = Await(3, 200ms);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].flag, MCI_NOTIFY_SUCCESSFUL);
    EXPECT_EQ(got[1], got[0]);
}

TEST_F(Notify, NoWindowNoMessage) {
    ASSERT_EQ(Send("play W notify", 0).code, 0u);
    EXPECT_TRUE(Await(1, 400ms).empty());
}

}  // namespace
}  // namespace mci_test
