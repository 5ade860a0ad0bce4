// Open commands built from real files in a folder that the path layer maps to a drive letter.
#include <gtest/gtest.h>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

using test_support::MciRecorder;

class OpenCommandTest : public ::testing::Test {
protected:
    OpenCommandTest()
        : drives({{'C', folder.path(), "[test]"}, {'D', cdRoot.path(), "[cd]"}}) {
        folder.Write("Music/song.mid");
        folder.Write("Sounds/Ding.wav");
        folder.Write("My Music/Ärger und Ölpreis.Mid");
        folder.Write("Sounds/.hidden.wav");
        folder.MakeFolder("Sounds/folder.wav");
    }

    std::string OpenAndRecord(const std::string& alias, const OpenOptions& options) {
        cMCI_Adv mci;
        recorder.Clear();
        lastResult = mci.MCI_Open(alias, options);
        const auto commands = recorder.Commands();
        return commands.empty() ? std::string("<nothing>") : commands.front();
    }

    test_support::TempFolder folder;
    test_support::TempFolder cdRoot;
    test_support::ScopedDrives drives;
    MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    Boolean lastResult = vbFalse;
};

TEST_F(OpenCommandTest, AudioDevicesOpenAnExistingFileAsTheirElement) {
    EXPECT_EQ(OpenAndRecord("MIDI", {.DeviceType = 3, .FilePath = "c:\\music\\SONG.mid"}),
              "open Sequencer!C:\\MUSIC\\SONG.MID alias MIDI wait");
    EXPECT_EQ(lastResult, vbTrue);
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "  C:\\Sounds\\Ding.wav  ", .BufferSize = 4}),
              "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 4");
    EXPECT_EQ(OpenAndRecord("MIDI", {.DeviceType = 3, .FilePath = "C:\\Music\\song.mid", .BufferSize = 4}),
              "open Sequencer!C:\\MUSIC\\SONG.MID alias MIDI wait");
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\Ding.wav",
                                     .Shareable = vbTrue, .BufferSize = 2}),
              "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 2 shareable");
}

TEST_F(OpenCommandTest, NamesWithSpacesAndAccentsGoByTheirShortNames) {
    EXPECT_EQ(OpenAndRecord("MIDI", {.DeviceType = 3, .FilePath = "C:\\my music\\ärger und ölpreis.mid"}),
              "open Sequencer!C:\\MYMUSI~1\\_RGERU~1.MID alias MIDI wait");
}

TEST_F(OpenCommandTest, DriveRootGivesTwoSeparatorsAndStillOpensTheFile) {
    folder.Write("root.wav");
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\\\root.wav"}),
              "open WaveAudio!C:\\ROOT.WAV alias WAVE wait");
}

TEST_F(OpenCommandTest, WithoutAnOrdinaryFileTheBareDeviceIsOpened) {
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\missing.wav"}),
              "open WaveAudio alias WAVE wait");
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\.hidden.wav"}),
              "open WaveAudio alias WAVE wait");
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\folder.wav"}),
              "open WaveAudio alias WAVE wait");
}

TEST_F(OpenCommandTest, FileGroupNeedsAFileAndSaysNothingWithout) {
    EXPECT_EQ(OpenAndRecord("X", {.FilePath = "C:\\Sounds\\Ding.wav"}),
              "open C:\\SOUNDS\\DING.WAV alias X wait");
    EXPECT_EQ(OpenAndRecord("X", {.DeviceType = 42, .FilePath = "C:\\nowhere.wav", .ShowErrors = vbTrue}),
              "<nothing>");
    EXPECT_EQ(lastResult, vbFalse);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OpenCommandTest, CdAudioTakesTheDriveLetterOfThePath) {
    EXPECT_EQ(OpenAndRecord("CD", {.DeviceType = 1, .FilePath = "D:\\"}),
              "open d: type cdaudio alias CD wait");
    EXPECT_EQ(OpenAndRecord("CD", {.DeviceType = 1, .FilePath = "Q:\\"}), "open cdaudio alias CD wait");
    EXPECT_EQ(OpenAndRecord("CD", {.DeviceType = 1, .Shareable = vbTrue}),
              "open cdaudio alias CD wait shareable");
}

TEST_F(OpenCommandTest, VideoAndFileGroupsTakeWindowClausesInOrder) {
    EXPECT_EQ(OpenAndRecord("AVI", {.DeviceType = 2, .FilePath = "C:\\none.avi", .Parent_Handle = 1234,
                                    .Style_Child = vbTrue, .Style_Type = "  5  "}),
              "open avivideo alias AVI wait parent 1234 style child style 5");
    EXPECT_EQ(OpenAndRecord("X", {.FilePath = "C:\\Sounds\\Ding.wav", .Shareable = vbTrue,
                                  .Style_Child = vbTrue, .Style_Overlapped = vbTrue, .Style_Popup = vbTrue}),
              "open C:\\SOUNDS\\DING.WAV alias X wait shareable style child style overlapped style popup");
}

TEST_F(OpenCommandTest, NotifyComesAfterEveryClauseAndErrorsShowOnlyWhenAsked) {
    EXPECT_EQ(OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\Ding.wav",
                                     .BufferSize = 3, .hCallbackProc = 9}),
              "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 3 notify");

    recorder.Answer("open", 275);
    OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\Ding.wav"});
    EXPECT_EQ(lastResult, vbFalse);
    EXPECT_TRUE(boxes.boxes.empty());
    OpenAndRecord("WAVE", {.DeviceType = 4, .FilePath = "C:\\Sounds\\Ding.wav", .ShowErrors = vbTrue});
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].title, "  MCI ERROR");
}

TEST_F(OpenCommandTest, EmptyAliasSendsNothing) {
    EXPECT_EQ(OpenAndRecord("   ", {.DeviceType = 3, .FilePath = "C:\\Music\\song.mid"}), "<nothing>");
    EXPECT_EQ(lastResult, vbFalse);
}

}  // namespace
