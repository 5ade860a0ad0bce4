// Open commands built from real files in a folder that the path layer maps to a drive letter.
#include <gtest/gtest.h>

#include "media/cmci_adv.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/temp_folder.h"

namespace {

class OpenCommandTest : public ::testing::Test {
protected:
    OpenCommandTest() : drives({{'C', folder.path(), "[test]"}, {'D', cdRoot.path(), "[cd]"}}) {
        for (const char* file : {"Music/song.mid", "Sounds/Ding.wav",
                                 "My Music/Ärger und Ölpreis.Mid", "Sounds/.hidden.wav"})
            folder.Write(file);
        folder.MakeFolder("Sounds/folder.wav");
    }

    test_support::TempFolder folder;
    test_support::TempFolder cdRoot;
    test_support::ScopedDrives drives;
    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
};

// A plain open and one in a drive's root are pinned by the main window's channel tests.
TEST_F(OpenCommandTest, ComposesTheOpenCommand) {
    const struct {
        const char* alias;
        OpenOptions options;
        const char* expected;  // nullptr: nothing is sent and the call fails
    } cases[] = {
        {"WAVE",
         {.DeviceType = 4, .FilePath = "  C:\\Sounds\\Ding.wav  ", .BufferSize = 4},
         "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 4"},
        {"MIDI",
         {.DeviceType = 3, .FilePath = "C:\\Music\\song.mid", .BufferSize = 4},
         "open Sequencer!C:\\MUSIC\\SONG.MID alias MIDI wait"},
        {"WAVE",
         {.DeviceType = 4,
          .FilePath = "C:\\Sounds\\Ding.wav",
          .Shareable = vbTrue,
          .BufferSize = 2,
          .hCallbackProc = 9},
         "open WaveAudio!C:\\SOUNDS\\DING.WAV alias WAVE wait buffer 2 shareable notify"},
        // Names with spaces and accents go by their short names.
        {"MIDI",
         {.DeviceType = 3, .FilePath = "C:\\my music\\ärger und ölpreis.mid"},
         "open Sequencer!C:\\MYMUSI~1\\_RGERU~1.MID alias MIDI wait"},
        // Without an ordinary file the bare device is opened.
        {"WAVE",
         {.DeviceType = 4, .FilePath = "C:\\Sounds\\missing.wav"},
         "open WaveAudio alias WAVE wait"},
        {"WAVE",
         {.DeviceType = 4, .FilePath = "C:\\Sounds\\.hidden.wav"},
         "open WaveAudio alias WAVE wait"},
        {"WAVE",
         {.DeviceType = 4, .FilePath = "C:\\Sounds\\folder.wav"},
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
        cMCI_Adv mci;
        recorder.Clear();
        const Boolean result = mci.MCI_Open(c.alias, c.options);
        EXPECT_EQ(recorder.Commands(),
                  c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{});
        EXPECT_EQ(result, c.expected ? vbTrue : vbFalse);
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

}  // namespace
