// Wave recording on the real service: a cancel from an event handler keeps what was recorded.
#include <gtest/gtest.h>

#include <chrono>

#include "media/cmci_adv.h"
#include "platform/user_interface.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sound_files.h"

namespace {

using mci_test::NumberOf;

class RecordWaveService : public mci_test::ServiceTest {
  protected:
    test_support::ScopedDrives drive{{{'R', folder.path(), "test"}}};
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

TEST_F(RecordWaveService, ACancelFromAnEventHandlerSavesWhatWasRecordedInTheAskedFormat) {
    Write("in/source.wav", sound_files::ToneWave(3000));
    folder.MakeFolder("out");
    ASSERT_EQ(mci.MCI_Open("SOURCE", {.DeviceType = 4, .FilePath = "R:\\in\\source.wav"}), vbTrue);
    mci.MCIa_RecordCancel();  // made before the wait begins, so it must change nothing
    // The deadline only keeps a broken service from holding the test.
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
    const auto take = sound_files::ReadWave(folder.Read("out/take.wav"));
    EXPECT_EQ(take.channels, 2);
    EXPECT_EQ(take.rate, 11025);
    EXPECT_EQ(take.bits, 16);
    EXPECT_NEAR(take.samples.size() * 1000.0 / (take.rate * std::max(take.channels, 1)), 1000, 150);
    EXPECT_GT(sound_files::Peak(take.samples), 1000 / 32768.0) << "the tone was recorded";
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
