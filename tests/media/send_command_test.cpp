// The command texts the media class composes, as the service receives them, and its error box.
#include <gtest/gtest.h>

#include <functional>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

using test_support::MciRecorder;

class SendTest : public ::testing::Test {
  protected:
    SendTest() : drives({{'C', folder.path(), "[test]"}, {'D', cdRoot.path(), "[cd]"}}) {
        for (const char* file : {"Music/song.mid", "Sounds/Ding.wav", "Sounds/.hidden.wav"})
            folder.Write(file);
    }

    test_support::TempFolder folder;
    test_support::TempFolder cdRoot;
    test_support::ScopedDrives drives;
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

// The defaults of play, stop, close, pause, resume and seek to start are the channel table's.
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
        {[](M& m) { return m.MCI_Play(" MIDI ", {.WaitToComplete = vbTrue}); }, "play MIDI wait"},
        {[](M& m) { return m.MCI_Close("waiter"); }, "close waiter"},
        {[](M& m) { return m.MCI_Seek("WAVE", -1); }, "seek WAVE to -1 wait"},
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
    } cases[] = {{263, 263},
                 {0xABCD0113, 275},
                 {0xFFFFFFFF, -1},
                 {0x8000, -32768},
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

// A plain open, one in a drive's root and short names are pinned by the main window's tests.
TEST_F(SendTest, ComposesTheOpenCommand) {
    const struct {
        const char* alias;
        OpenOptions options;
        const char* expected;  // nullptr: nothing is sent and the call fails
    } cases[] = {
        {"MIDI",
         {.DeviceType = 3, .FilePath = "C:\\Music\\song.mid", .BufferSize = 4},
         "open Sequencer!C:\\MUSIC\\SONG.MID alias MIDI wait"},
        {"WAVE",
         {.DeviceType = 4,
          .FilePath = "  C:\\Sounds\\Ding.wav  ",
          .Shareable = vbTrue,
          .BufferSize = 2,
          .hCallbackProc = 9},
         "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 2 shareable notify"},
        // Without an ordinary file the bare device is opened.
        {"WAVE",
         {.DeviceType = 4, .FilePath = "C:\\Sounds\\missing.wav"},
         "open WaveAudio alias WAVE wait"},
        {"WAVE",
         {.DeviceType = 4, .FilePath = "C:\\Sounds\\.hidden.wav"},
         "open WaveAudio alias WAVE wait"},
        // The file group needs a file and says nothing without.
        {"X", {.DeviceType = 42, .FilePath = "C:\\nowhere.wav", .ShowErrors = vbTrue}, nullptr},
        // CD audio takes the drive letter of the path.
        {"CD", {.DeviceType = 1, .FilePath = "D:\\"}, "open d: type cdaudio alias CD wait"},
        {"CD", {.DeviceType = 1, .FilePath = "Q:\\"}, "open cdaudio alias CD wait"},
        {"CD", {.DeviceType = 1, .Shareable = vbTrue}, "open cdaudio alias CD wait shareable"},
        // Video and file groups take window clauses in order.
        {"AVI",
         {.DeviceType = 2,
          .FilePath = "C:\\none.avi",
          .Parent_Handle = 1234,
          .Style_Child = vbTrue,
          .Style_Type = "  5  "},
         "open avivideo alias AVI wait parent 1234 style child style 5"},
        {"X",
         {.FilePath = "C:\\Sounds\\Ding.wav",
          .Shareable = vbTrue,
          .Style_Child = vbTrue,
          .Style_Overlapped = vbTrue,
          .Style_Popup = vbTrue},
         "open C:\\SOUNDS\\DING.WAV alias X wait shareable style child style overlapped style "
         "popup"},
        {"   ", {.DeviceType = 3, .FilePath = "C:\\Music\\song.mid"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.FilePath);
        recorder.Clear();
        const Boolean result = mci.MCI_Open(c.alias, c.options);
        EXPECT_EQ(recorder.Commands(),
                  c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{});
        EXPECT_EQ(result, c.expected ? vbTrue : vbFalse);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
