// The command texts the media class composes, as the MCI service receives them, and the MCI
// error box: the number taken from the return code, missing texts, when it shows.
#include <gtest/gtest.h>

#include <functional>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"

namespace {

using test_support::MciRecorder;

class SendTest : public ::testing::Test {
  protected:
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

// Play, stop, close, pause and resume with their defaults are pinned by the main window's
// channel table on the real service.
TEST_F(SendTest, EachMemberSendsExactlyThisText) {
    using M = cMCI_Adv;
    const struct {
        std::function<Boolean(M&)> call;
        const char* expected;  // nullptr: nothing may be sent
    } cases[] = {
        {[](M& m) {
             return m.MCI_Play("WAVE", {.SpecifyStartPosition = vbTrue,
                                        .StartPosition = 0,
                                        .SpecifyEndPosition = vbTrue,
                                        .EndPosition = 500,
                                        .PlayFullScreen = vbTrue,
                                        .RepeatPlay = vbTrue});
         },
         "play WAVE from 0 to 500 repeat fullscreen"},
        {[](M& m) { return m.MCI_Play("WAVE", {.SpecifyStartPosition = 1, .StartPosition = 9}); },
         "play WAVE"},
        {[](M& m) { return m.MCI_Play(" MIDI ", {.WaitToComplete = vbTrue}); }, "play MIDI wait"},
        {[](M& m) { return m.MCI_Close("waiter"); }, "close waiter"},
        {[](M& m) { return m.MCI_Seek("WAVE", -1); }, "seek WAVE to -1 wait"},
        {[](M& m) { return m.MCI_SeekBeginning("MIDI"); }, "seek MIDI to start wait"},
        {[](M& m) { return m.MCI_SeekEnd("MIDI", {.WaitToComplete = vbFalse}); },
         "seek MIDI to end"},
        {[](M& m) { return m.MCI_Door("CD", vbTrue); }, "Set CD door open wait"},
        {[](M& m) { return m.MCI_Door("CD", vbFalse); }, "Set CD door closed wait"},
        {[](M& m) { return m.MCI_Set("WAVE", " time format milliseconds"); },
         "set WAVE  time format milliseconds wait"},
        {[](M& m) { return m.MCI_Close("MIDI", {.hCallbackProc = 5}); }, "close MIDI notify wait"},
        {[](M& m) { return m.MCIa_SendCommand("  play x wait  "); }, "play x wait"},
        {[](M& m) {
             return m.MCIa_SendCommand("play x wait",
                                       {.hCallbackProc = 77, .WaitToComplete = vbFalse});
         },
         "play x wait notify"},
        {[](M& m) {
             return m.MCIa_SendCommand(std::string("stop x\0garbage", 14),
                                       {.WaitToComplete = vbFalse});
         },
         "stop x"},
        {[](M& m) { return m.MCI_Stop("   "); }, nullptr},
        {[](M& m) { return m.MCIa_SendCommand("  "); }, nullptr},
        {[](M& m) { return m.MCI_Stop("\tMIDI"); }, "stop \tMIDI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected ? c.expected : "nothing");
        recorder.Clear();
        const Boolean result = c.call(mci);
        EXPECT_EQ(recorder.Commands(),
                  c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{});
        EXPECT_EQ(result, c.expected ? vbTrue : vbFalse);
    }
}

TEST_F(SendTest, ReplyBufferOnlyWhenAskedAndCallbackPassedThrough) {
    recorder.Clear();
    recorder.Answer("status MIDI mode", 0, "playing");
    std::string mode = "stale";
    EXPECT_EQ(mci.MCI_Status("MIDI", "mode", mode, {.hCallbackProc = 12}), vbTrue);
    EXPECT_EQ(mode, "playing");
    mci.MCI_Stop("MIDI", {.hCallbackProc = 12});
    std::string result;
    recorder.Answer("status x", 0, "42");
    mci.MCIa_SendCommand("status x length", {.UseReturnString = 1, .Return_Result = &result});
    EXPECT_EQ(result, "42") << "any non-zero UseReturnString asks for the reply";

    ASSERT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[0].command, "status MIDI mode notify wait");
    EXPECT_EQ(recorder.calls[0].returnLength, 260u);
    EXPECT_EQ(recorder.calls[0].callbackWindow, 12);
    EXPECT_EQ(recorder.calls[1].returnLength, 0u);
    EXPECT_EQ(recorder.calls[1].callbackWindow, 12);
    EXPECT_EQ(recorder.calls[2].returnLength, 260u);
    std::string reply = "stale";
    EXPECT_EQ(mci.MCI_Status("  ", "mode", reply), vbFalse);
    EXPECT_EQ(reply, "") << "cleared even when it returns early";
}

TEST(Lifetime, ClosesEveryDeviceWhenCreatedAndWhenReleasedIgnoringAFailure) {
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    recorder.Answer("close all", 263);
    { cMCI_Adv mci; }
    EXPECT_EQ(recorder.Commands(), (std::vector<std::string>{"close all wait", "close all wait"}));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SendTest, TheBoxShowsTheLowWordOfTheReturnCodeAsASignedNumber) {
    const struct {
        std::uint32_t returnCode;
        std::int32_t shownNumber;
    } cases[] = {{263, 263}, {0xABCD0113, 275}, {0xFFFFFFFF, -1}, {0x8000, -32768},
                 {0x10000, 0}};  // high bits alone are still a failure
    for (const auto& c : cases) {
        boxes.boxes.clear();
        recorder.Answer("play", c.returnCode);
        EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbFalse);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        const auto& box = boxes.boxes[0];
        EXPECT_EQ(box.prompt,
                  "The following error occured while calling the mciSendString MCI API:\r\r"
                  "Error Number = " +
                      std::to_string(c.shownNumber) + "\rError Description = " +
                      MciRecorder::ErrorTextFor(static_cast<std::uint32_t>(c.shownNumber)));
        EXPECT_EQ(box.title, "  MCI ERROR");
        EXPECT_EQ(box.style, 48);
    }
}

TEST_F(SendTest, SuccessAndSilentFailuresShowNothingAndAMissingTextIsUnknownError) {
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbTrue);
    recorder.Answer("play", 263);
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = 1}), vbFalse);  // only -1 is True
    EXPECT_TRUE(boxes.boxes.empty());

    recorder.Answer("stop", 999);
    recorder.NoTextFor(999);
    mci.MCI_Stop("MIDI", {.ShowErrors = vbTrue});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].prompt.ends_with("\rError Description = Unknown Error"));
}

}  // namespace
