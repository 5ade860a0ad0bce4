// The MCI error box: its layout, the error number taken from the return code, missing texts.
#include <gtest/gtest.h>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"

namespace {

using test_support::MciRecorder;

struct ErrorCase {
    std::uint32_t returnCode;
    std::int32_t shownNumber;
};

class ErrorNumberTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorNumberTest, BoxShowsTheLowWordAsASignedNumber) {
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
    recorder.Answer("play", GetParam().returnCode);
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbFalse);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    const std::string number = std::to_string(GetParam().shownNumber);
    const auto& box = boxes.boxes[0];
    EXPECT_EQ(box.prompt, "The following error occured while calling the mciSendString MCI API:\r\r"
                          "Error Number = " + number + "\rError Description = " +
                          MciRecorder::ErrorTextFor(static_cast<std::uint32_t>(GetParam().shownNumber)));
    EXPECT_EQ(box.title, "  MCI ERROR");
    EXPECT_EQ(box.style, 48);
}

INSTANTIATE_TEST_SUITE_P(ReturnCodes, ErrorNumberTest,
                         ::testing::Values(ErrorCase{263, 263}, ErrorCase{0x113, 275},
                                           ErrorCase{0xABCD0113, 275}, ErrorCase{0xFFFFFFFF, -1},
                                           ErrorCase{0x8000, -32768},
                                           // high bits alone are still a failure
                                           ErrorCase{0x10000, 0}));

TEST(ErrorReport, SuccessAndSilentFailuresShowNothing) {
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbTrue);
    recorder.Answer("play", 263);
    EXPECT_EQ(mci.MCI_Play("WAVE"), vbFalse);
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = 1}), vbFalse);  // only -1 is True
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(ErrorReport, NumberWithoutTextShowsUnknownError) {
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
    recorder.Answer("stop", 999);
    recorder.NoTextFor(999);
    mci.MCI_Stop("MIDI", {.ShowErrors = vbTrue});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].prompt.ends_with("\rError Description = Unknown Error"));
}

}  // namespace
