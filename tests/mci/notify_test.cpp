// Completion messages of commands that carry "notify": which come, in what order, for one device.
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

struct NotifyCase {
    const char* name;
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
    for (const std::string& command : row.commands) Send(command, row.toWindow ? window : 0);
    Await(row.flags.size(), 1s);
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
        NotifyCase{"PlayEndsBySelf", {"play W notify"}, {MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{"StopAbortsAPendingPlay", {"play W notify", "stop W"}, {MCI_NOTIFY_ABORTED}},
        NotifyCase{"NewNotifySupersedesAPendingPlay",
                   {"play W notify", "status W mode notify"},
                   {MCI_NOTIFY_SUPERSEDED, MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{
            "PlayWaitHasPostedWhenItReturns", {"play W wait notify"}, {MCI_NOTIFY_SUCCESSFUL}},
        // A record runs on like a play: it succeeds at its "to", and one stopped before is aborted.
        NotifyCase{"RecordEndsAtItsTo",
                   {"open new type waveaudio alias R", "record R to 150 notify"},
                   {MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{"StopAbortsARecord",
                   {"open new type waveaudio alias R", "record R notify", "stop R"},
                   {MCI_NOTIFY_ABORTED}},
        NotifyCase{"ImmediateCommandsSucceedAndFailuresPostNothing",
                   {"seek W to end notify", "seek W to 5000 notify", "close W notify"},
                   {MCI_NOTIFY_SUCCESSFUL, MCI_NOTIFY_SUCCESSFUL}},
        NotifyCase{"NoWindowNoMessage", {"play W notify"}, {}, false}),
    [](const testing::TestParamInfo<NotifyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace mci_test
