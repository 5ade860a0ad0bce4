// The command texts the media class composes, as the MCI service receives them, and the MCI
// error box: the number taken from the return code, missing texts, when it shows.
#include <gtest/gtest.h>

#include <functional>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"

namespace {

using test_support::MciRecorder;

struct CommandCase {
    const char* name;
    std::function<Boolean(cMCI_Adv&)> call;
    const char* expected;  // nullptr: nothing may be sent
};

class SendCommandTest : public ::testing::TestWithParam<CommandCase> {
protected:
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
};

TEST_P(SendCommandTest, SendsExactlyThisText) {
    cMCI_Adv mci;
    recorder.Clear();
    const Boolean result = GetParam().call(mci);
    if (GetParam().expected == nullptr) {
        EXPECT_TRUE(recorder.calls.empty());
        EXPECT_EQ(result, vbFalse);
    } else {
        ASSERT_EQ(recorder.Commands(), std::vector<std::string>{GetParam().expected});
        EXPECT_EQ(result, vbTrue);
    }
}

// Play, stop, close, pause and resume with their defaults are pinned by the main window's
// channel table on the real service.
using M = cMCI_Adv;
const CommandCase kCommandCases[] = {
    {"PlayEveryClause",
     [](M& m) {
         return m.MCI_Play("WAVE", {.SpecifyStartPosition = vbTrue, .StartPosition = 0,
                                    .SpecifyEndPosition = vbTrue, .EndPosition = 500,
                                    .PlayFullScreen = vbTrue, .RepeatPlay = vbTrue});
     },
     "play WAVE from 0 to 500 repeat fullscreen"},
    {"PlayFlagOneIsNotTrue",
     [](M& m) { return m.MCI_Play("WAVE", {.SpecifyStartPosition = 1, .StartPosition = 9}); },
     "play WAVE"},
    {"PlayAndWait", [](M& m) { return m.MCI_Play(" MIDI ", {.WaitToComplete = vbTrue}); },
     "play MIDI wait"},
    {"CloseAllWaitsByDefault", [](M& m) { return m.MCI_CloseAll(); }, "close all wait"},
    {"AliasHoldingWaitGetsNoSuffix", [](M& m) { return m.MCI_Close("waiter"); }, "close waiter"},
    {"SeekNegative", [](M& m) { return m.MCI_Seek("WAVE", -1); }, "seek WAVE to -1 wait"},
    {"SeekBeginning", [](M& m) { return m.MCI_SeekBeginning("MIDI"); }, "seek MIDI to start wait"},
    {"SeekEndNoWait", [](M& m) { return m.MCI_SeekEnd("MIDI", {.WaitToComplete = vbFalse}); },
     "seek MIDI to end"},
    {"DoorOpen", [](M& m) { return m.MCI_Door("CD", vbTrue); }, "Set CD door open wait"},
    {"DoorClosed", [](M& m) { return m.MCI_Door("CD", vbFalse); }, "Set CD door closed wait"},
    {"SetKeepsItsText", [](M& m) { return m.MCI_Set("WAVE", " time format milliseconds"); },
     "set WAVE  time format milliseconds wait"},
    {"NotifyThenWait", [](M& m) { return m.MCI_Close("MIDI", {.hCallbackProc = 5}); },
     "close MIDI notify wait"},
    {"SendTrimsAndKeepsItsWait", [](M& m) { return m.MCIa_SendCommand("  play x wait  "); },
     "play x wait"},
    {"SendNotifyAfterExistingWait",
     [](M& m) {
         return m.MCIa_SendCommand("play x wait", {.hCallbackProc = 77, .WaitToComplete = vbFalse});
     },
     "play x wait notify"},
    {"SendCutsAtNul",
     [](M& m) {
         return m.MCIa_SendCommand(std::string("stop x\0garbage", 14), {.WaitToComplete = vbFalse});
     },
     "stop x"},
    {"SpacesOnlyAlias", [](M& m) { return m.MCI_Stop("   "); }, nullptr},
    {"EmptyCommand", [](M& m) { return m.MCIa_SendCommand("  "); }, nullptr},
    {"TabsAreNotStripped", [](M& m) { return m.MCI_Stop("\tMIDI"); }, "stop \tMIDI"},
};

INSTANTIATE_TEST_SUITE_P(Members, SendCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

class SendTest : public ::testing::Test {
protected:
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

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
    { cMCI_Adv mci; }
    EXPECT_EQ(recorder.Commands(), (std::vector<std::string>{"close all wait", "close all wait"}));
    recorder.Answer("close all", 263);
    { cMCI_Adv mci; }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SendTest, TheBoxShowsTheLowWordOfTheReturnCodeAsASignedNumber) {
    const struct {
        std::uint32_t returnCode;
        std::int32_t shownNumber;
    } cases[] = {{263, 263}, {0x113, 275}, {0xABCD0113, 275}, {0xFFFFFFFF, -1}, {0x8000, -32768},
                 {0x10000, 0}};  // high bits alone are still a failure
    for (const auto& c : cases) {
        boxes.boxes.clear();
        recorder.Answer("play", c.returnCode);
        EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbFalse);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        const auto& box = boxes.boxes[0];
        EXPECT_EQ(box.prompt,
                  "The following error occured while calling the mciSendString MCI API:\r\r"
                  "Error Number = " + std::to_string(c.shownNumber) + "\rError Description = " +
                      MciRecorder::ErrorTextFor(static_cast<std::uint32_t>(c.shownNumber)));
        EXPECT_EQ(box.title, "  MCI ERROR");
        EXPECT_EQ(box.style, 48);
    }
}

TEST_F(SendTest, SuccessAndSilentFailuresShowNothingAndAMissingTextIsUnknownError) {
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = vbTrue}), vbTrue);
    recorder.Answer("play", 263);
    EXPECT_EQ(mci.MCI_Play("WAVE"), vbFalse);
    EXPECT_EQ(mci.MCI_Play("WAVE", {.ShowErrors = 1}), vbFalse);  // only -1 is True
    EXPECT_TRUE(boxes.boxes.empty());

    recorder.Answer("stop", 999);
    recorder.NoTextFor(999);
    mci.MCI_Stop("MIDI", {.ShowErrors = vbTrue});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].prompt.ends_with("\rError Description = Unknown Error"));
}

}  // namespace
