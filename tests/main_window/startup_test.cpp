// Start-up applies what is saved, skipping the rest silently; every exit stops, then saves.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QScrollBar>
#include <filesystem>
#include <fstream>

#include "platform/toolkit/window_registry.h"
#include "tests/main_window/main_window_fixture.h"

namespace {

namespace fs = std::filesystem;

// Only the exact word changes an option; a volume out of range or not a number is skipped.
struct SavedCase {
    const char* key;
    const char* stored;
    Boolean topChecked = vbTrue;
    Boolean minChecked = vbFalse;
    std::int16_t position = 16383;
    std::vector<std::uint32_t> writes = {32769};  // the set-up's write first
};

class SavedSettings : public StartupTest, public testing::WithParamInterface<SavedCase> {};

TEST_P(SavedSettings, AreAppliedOnlyWhenExactlyRight) {
    Store(GetParam().key, GetParam().stored);
    Start();
    EXPECT_EQ(form->mnuOptionsTop.Checked(), GetParam().topChecked);
    EXPECT_EQ(StaysOnTop(), IsTrue(GetParam().topChecked));
    EXPECT_EQ(form->mnuOptionsMin.Checked(), GetParam().minChecked);
    EXPECT_EQ(form->vsVolume.Value(), GetParam().position);
    EXPECT_EQ(mixer.writes, GetParam().writes);
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavedSettings,
    testing::Values(SavedCase{"AlwaysOnTop", "False", vbFalse}, SavedCase{"AlwaysOnTop", "false"},
                    SavedCase{"AlwaysOnTop", " False"}, SavedCase{"AlwaysOnTop", ""},
                    SavedCase{"ShowMin", "True", vbTrue, vbTrue}, SavedCase{"ShowMin", "true"},
                    SavedCase{"ShowMin", "True "},
                    SavedCase{"Volume", "0", vbTrue, vbFalse, 0, {32769, 65535}},
                    SavedCase{"Volume", "32767", vbTrue, vbFalse, 32767, {32769, 0}},
                    SavedCase{"Volume", " 1000 ", vbTrue, vbFalse, 1000, {32769, 63535}},
                    SavedCase{"Volume", ""}, SavedCase{"Volume", "-1"},
                    SavedCase{"Volume", "32768"}, SavedCase{"Volume", "99999999999"}));

TEST_F(StartupTest, TheVolumeFollowsTheThumbWhileItIsDragged) {
    Start();
    mixer.writes.clear();
    auto* bar = static_cast<QScrollBar*>(form->vsVolume.Widget());
    bar->setSliderDown(true);
    for (const int position : {100, 200, 32767}) bar->setSliderPosition(position);
    EXPECT_EQ(mixer.writes, (std::vector<std::uint32_t>{65335, 65135, 0}));
    bar->setSliderDown(false);
    EXPECT_EQ(form->vsVolume.Value(), 32767);
}

TEST_F(StartupTest, AFolderThatIsGoneIsSkippedSilently) {
    Store("Drive", "t: [test]");
    Store("Directory", "T:\\music\\deleted since");
    Start();
    EXPECT_EQ(form->Directory1.Path(), "T:\\");
    EXPECT_EQ(form->MIDIs.Path(), "T:\\");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(StartupTest, AWindowStartedInADeletedFolderShowsItsListsAsUnreadable) {
    const test_support::DeletedWorkingDirectory gone(folder.path() / "deleted");
    Start();
    EXPECT_EQ(form->Directory1.Path(), "T:\\deleted");
    EXPECT_EQ(form->MIDIs.ListCount() + form->WAVEs.ListCount(), 0);
}

// Notes, at every command, whether the settings were written yet.
class OrderWatch : public test_support::MciRecorder {
  public:
    std::uint32_t SendString(const char* command, char* returnString, std::uint32_t returnLength,
                             std::int32_t hwndCallback) override {
        savedAtCommand.push_back(GetSetting("Corvala", "Settings", "Volume", "") != "");
        return MciRecorder::SendString(command, returnString, returnLength, hwndCallback);
    }
    std::vector<bool> savedAtCommand;
};

class ExitWays : public StartupTest, public testing::WithParamInterface<void (*)(frmMain&)> {};

TEST_P(ExitWays, StopBothChannelsThenWriteEverySettingForTheNextStart) {
    OrderWatch order;
    Start();
    ASSERT_TRUE(ShowActive(*form));
    form->Directory1.Path("T:\\music");
    for (FileListBox* list : {&form->MIDIs, &form->WAVEs}) {
        list->ListIndex(0);
        list->DblClick();
    }
    form->Directory1.Path("T:\\music\\older");
    form->vsVolume.Value(30000);
    PressKey(form->MIDIs.Widget(), Qt::Key_F2);  // the option keys work from any control
    EXPECT_FALSE(StaysOnTop());
    PressKey(form->Directory1.Widget(), Qt::Key_F3);
    TestForm other;
    other.LoadForm();
    order.Clear();
    order.savedAtCommand.clear();

    GetParam()(*form);

    EXPECT_EQ(order.Commands(), (std::vector<std::string>{"stop MIDI", "stop WAVE",
                                                          "close all wait", "close all wait"}));
    EXPECT_EQ(order.savedAtCommand, std::vector<bool>(4, false)) << "sounds stop first";
    EXPECT_EQ(Stored("Drive"), form->Drive1.Drive());
    EXPECT_EQ(Stored("Directory"), "T:\\music\\older");
    EXPECT_EQ(Stored("Volume"), "30000");
    EXPECT_EQ(Stored("AlwaysOnTop"), "False");
    EXPECT_EQ(Stored("ShowMin"), "True");
    EXPECT_FALSE(form->Window()->isVisible());
    EXPECT_EQ(form->Loaded(), vbFalse);
    EXPECT_TRUE(Forms().empty()) << "the other windows unload with it";

    // What is saved comes back at the next start, the volume exactly as it was.
    const std::string drive = form->Drive1.Drive();
    Start();
    EXPECT_EQ(form->Drive1.Drive(), drive);
    EXPECT_EQ(form->Directory1.Path(), "T:\\music\\older");
    EXPECT_EQ(form->MIDIs.Path(), "T:\\music\\older");
    EXPECT_EQ(form->WAVEs.Path(), "T:\\music\\older");
    EXPECT_EQ(form->vsVolume.Value(), 30000);
    EXPECT_EQ(mixer.Value(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 5534u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExitWays,
                         testing::Values([](frmMain& f) { f.mnuFileExit.Action()->trigger(); },
                                         [](frmMain& f) { f.Window()->close(); },
                                         [](frmMain& f) { f.UnloadForm(); },
                                         [](frmMain& f) {
                                             PressKey(f.MIDIs.Widget(), Qt::Key_X,
                                                      Qt::ControlModifier);
                                         }));

void Garbage(const fs::path& file) {
    std::ofstream(file, std::ios::binary) << std::string("\xff\xfe\0[Settings\n=\x01", 14);
}
void AFifo(const fs::path& file) {
    mkfifo(file.c_str(), 0600);
}

// No store (a first start), garbage, or a FIFO, which once hung the exit; true when writable.
class DamagedStores
    : public StartupTest,
      public testing::WithParamInterface<std::pair<void (*)(const fs::path&), bool>> {};

TEST_P(DamagedStores, GiveTheDefaultsSilentlyLeavingTheVolumeAndNeverStopTheProgram) {
    fs::create_directories(settings.File().parent_path());
    if (GetParam().first) GetParam().first(settings.File());
    Start();
    EXPECT_EQ(form->mnuOptionsTop.Checked(), vbTrue);
    EXPECT_TRUE(StaysOnTop());
    EXPECT_EQ(form->mnuOptionsMin.Checked(), vbFalse);
    EXPECT_EQ(form->Drive1.Drive().front(), 'c');
    EXPECT_EQ(form->Directory1.Path(), drives::ToWindows(fs::current_path()));
    EXPECT_EQ(form->MIDIs.Path(), form->Directory1.Path());
    EXPECT_EQ(form->vsVolume.Value(), 16383);
    EXPECT_EQ(mixer.writes, std::vector<std::uint32_t>{32769}) << "only the scale's rounding";
    form->mnuOptionsMin.Action()->trigger();
    form->UnloadForm();
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(Stored("ShowMin"), GetParam().second ? "True" : "<missing>");
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedStores,
                         testing::Values(std::pair(nullptr, true), std::pair(&Garbage, true),
                                         std::pair(&AFifo, false)));

}  // namespace
