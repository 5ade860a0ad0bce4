// The command texts the media class composes, as the MCI service receives them.
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

const CommandCase kCommandCases[] = {
    {"PlayDefaults", [](cMCI_Adv& m) { return m.MCI_Play("WAVE"); }, "play WAVE"},
    {"PlayEveryClause",
     [](cMCI_Adv& m) {
         return m.MCI_Play("WAVE", {.SpecifyStartPosition = vbTrue, .StartPosition = 0,
                                    .SpecifyEndPosition = vbTrue, .EndPosition = 500,
                                    .PlayFullScreen = vbTrue, .RepeatPlay = vbTrue});
     },
     "play WAVE from 0 to 500 repeat fullscreen"},
    {"PlayFlagOneIsNotTrue",
     [](cMCI_Adv& m) { return m.MCI_Play("WAVE", {.SpecifyStartPosition = 1, .StartPosition = 9}); },
     "play WAVE"},
    {"PlayAndWait", [](cMCI_Adv& m) { return m.MCI_Play(" MIDI ", {.WaitToComplete = vbTrue}); },
     "play MIDI wait"},
    {"StopDefaults", [](cMCI_Adv& m) { return m.MCI_Stop("MIDI"); }, "stop MIDI"},
    {"CloseWaitsByDefault", [](cMCI_Adv& m) { return m.MCI_Close("MIDI"); }, "close MIDI wait"},
    {"CloseAllWaitsByDefault", [](cMCI_Adv& m) { return m.MCI_CloseAll(); }, "close all wait"},
    {"AliasHoldingWaitGetsNoSuffix", [](cMCI_Adv& m) { return m.MCI_Close("waiter"); }, "close waiter"},
    {"PauseAndResume", [](cMCI_Adv& m) { return m.MCI_Pause("WAVE"); }, "pause WAVE"},
    {"Resume", [](cMCI_Adv& m) { return m.MCI_Resume("WAVE"); }, "resume WAVE"},
    {"SeekNegative", [](cMCI_Adv& m) { return m.MCI_Seek("WAVE", -1); }, "seek WAVE to -1 wait"},
    {"SeekBeginning", [](cMCI_Adv& m) { return m.MCI_SeekBeginning("MIDI"); }, "seek MIDI to start wait"},
    {"SeekEndNoWait", [](cMCI_Adv& m) { return m.MCI_SeekEnd("MIDI", {.WaitToComplete = vbFalse}); },
     "seek MIDI to end"},
    {"DoorOpen", [](cMCI_Adv& m) { return m.MCI_Door("CD", vbTrue); }, "Set CD door open wait"},
    {"DoorClosed", [](cMCI_Adv& m) { return m.MCI_Door("CD", vbFalse); }, "Set CD door closed wait"},
    {"SetKeepsItsText",
     [](cMCI_Adv& m) { return m.MCI_Set("WAVE", " time format milliseconds"); },
     "set WAVE  time format milliseconds wait"},
    {"NotifyThenWait", [](cMCI_Adv& m) { return m.MCI_Close("MIDI", {.hCallbackProc = 5}); },
     "close MIDI notify wait"},
    {"SendTrimsAndKeepsItsWait",
     [](cMCI_Adv& m) { return m.MCIa_SendCommand("  play x wait  "); }, "play x wait"},
    {"SendNotifyAfterExistingWait",
     [](cMCI_Adv& m) {
         return m.MCIa_SendCommand("play x wait", {.hCallbackProc = 77, .WaitToComplete = vbFalse});
     },
     "play x wait notify"},
    {"SendCutsAtNul",
     [](cMCI_Adv& m) {
         return m.MCIa_SendCommand(std::string("stop x\0garbage", 14), {.WaitToComplete = vbFalse});
     },
     "stop x"},
    {"SpacesOnlyAlias", [](cMCI_Adv& m) { return m.MCI_Stop("   "); }, nullptr},
    {"EmptyCommand", [](cMCI_Adv& m) { return m.MCIa_SendCommand("  "); }, nullptr},
    {"TabsAreNotStripped", [](cMCI_Adv& m) { return m.MCI_Stop("\tMIDI"); }, "stop \tMIDI"},
};

INSTANTIATE_TEST_SUITE_P(Members, SendCommandTest, ::testing::ValuesIn(kCommandCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SendCommand, ReplyBufferOnlyWhenAskedAndCallbackPassedThrough) {
    MciRecorder recorder;
    cMCI_Adv mci;
    recorder.Clear();
    recorder.Answer("status MIDI mode", 0, "playing");
    std::string mode = "stale";
    EXPECT_EQ(mci.MCI_Status("MIDI", "mode", mode, {.hCallbackProc = 12}), vbTrue);
    EXPECT_EQ(mode, "playing");
    mci.MCI_Stop("MIDI", {.hCallbackProc = 12});

    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[0].command, "status MIDI mode notify wait");
    EXPECT_EQ(recorder.calls[0].returnLength, 260u);
    EXPECT_EQ(recorder.calls[0].callbackWindow, 12);
    EXPECT_EQ(recorder.calls[1].returnLength, 0u);
    EXPECT_EQ(recorder.calls[1].callbackWindow, 12);
}

TEST(SendCommand, StatusClearsItsReplyEvenWhenItReturnsEarly) {
    MciRecorder recorder;
    cMCI_Adv mci;
    std::string reply = "stale";
    EXPECT_EQ(mci.MCI_Status("  ", "mode", reply), vbFalse);
    EXPECT_EQ(reply, "");
}

TEST(SendCommand, AnyNonZeroUseReturnStringAsksForTheReply) {
    MciRecorder recorder;
    cMCI_Adv mci;
    recorder.Clear();
    recorder.Answer("status", 0, "42");
    std::string result;
    mci.MCIa_SendCommand("status x length", {.UseReturnString = 1, .Return_Result = &result});
    EXPECT_EQ(result, "42");
    EXPECT_EQ(recorder.calls.back().returnLength, 260u);
}

TEST(Lifetime, ClosesEveryDeviceWhenCreatedAndWhenReleased) {
    MciRecorder recorder;
    { cMCI_Adv mci; }
    EXPECT_EQ(recorder.Commands(), (std::vector<std::string>{"close all wait", "close all wait"}));
}

TEST(Lifetime, CreationIgnoresAFailingCloseAll) {
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    recorder.Answer("close all", 263);
    cMCI_Adv mci;
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
