// Start-up applies the saved settings in their order and skips what fails without a word;
// shutdown stops both channels, then writes the five settings, however the window is closed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <filesystem>
#include <fstream>

#include "tests/main_window/main_window_fixture.h"

namespace {

namespace fs = std::filesystem;

struct OptionCase {
    const char* key;
    const char* stored;
    Boolean topChecked;
    Boolean minChecked;
};

class OptionSpellings : public StartupTest, public testing::WithParamInterface<OptionCase> {};

TEST_P(OptionSpellings, OnlyTheExactWordChangesAnOption) {
    Store(GetParam().key, GetParam().stored);
    Start();
    EXPECT_EQ(form->mnuOptionsTop.Checked(), GetParam().topChecked);
    EXPECT_EQ(StaysOnTop(), IsTrue(GetParam().topChecked));
    EXPECT_EQ(form->mnuOptionsMin.Checked(), GetParam().minChecked);
}

const OptionCase kOptionCases[] = {
    {"AlwaysOnTop", "False", vbFalse, vbFalse}, {"AlwaysOnTop", "false", vbTrue, vbFalse},
    {"AlwaysOnTop", "FALSE", vbTrue, vbFalse},  {"AlwaysOnTop", " False", vbTrue, vbFalse},
    {"AlwaysOnTop", "0", vbTrue, vbFalse},      {"AlwaysOnTop", "", vbTrue, vbFalse},
    {"AlwaysOnTop", "True", vbTrue, vbFalse},   {"ShowMin", "True", vbTrue, vbTrue},
    {"ShowMin", "TRUE", vbTrue, vbFalse},       {"ShowMin", "true", vbTrue, vbFalse},
    {"ShowMin", "-1", vbTrue, vbFalse},         {"ShowMin", "True ", vbTrue, vbFalse},
    {"ShowMin", "False", vbTrue, vbFalse}};

INSTANTIATE_TEST_SUITE_P(Cases, OptionSpellings, testing::ValuesIn(kOptionCases));

struct VolumeCase {
    const char* stored;
    std::int16_t position;
    std::vector<std::uint32_t> writes;  // the set-up's write first
};

class SavedVolume : public StartupTest, public testing::WithParamInterface<VolumeCase> {};

TEST_P(SavedVolume, MovesTheSliderOrIsSkipped) {
    Store("Volume", GetParam().stored);
    Start();
    EXPECT_EQ(form->vsVolume.Value(), GetParam().position);
    EXPECT_EQ(mixer.writes, GetParam().writes);
    EXPECT_TRUE(boxes.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SavedVolume,
    testing::Values(VolumeCase{"0", 0, {32769, 65535}}, VolumeCase{"32767", 32767, {32769, 0}},
                    VolumeCase{" 1000 ", 1000, {32769, 63535}}, VolumeCase{"16383", 16383, {32769}},
                    VolumeCase{"loud", 16383, {32769}}, VolumeCase{"", 16383, {32769}},
                    VolumeCase{"-1", 16383, {32769}}, VolumeCase{"32768", 16383, {32769}},
                    VolumeCase{"99999999999", 16383, {32769}}));

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

// Remembers whether the window was on the screen when a box came up.
class BoxWatch : public test_support::MessageBoxRecorder {
  public:
    explicit BoxWatch(const std::optional<frmMain>& form) : form_(form) {}
    int Show(const std::string& prompt, int style, const std::string& title) override {
        windowShown.push_back(form_ && form_->Window()->isVisible());
        return MessageBoxRecorder::Show(prompt, style, title);
    }
    std::vector<bool> windowShown;

  private:
    const std::optional<frmMain>& form_;
};

TEST_F(StartupTest, ADriveThatCannotBeReadIsReportedBeforeTheWindowShows) {
    Store("Drive", "q: [gone]");
    BoxWatch watch(form);
    form.emplace();
    form->Show();
    ASSERT_EQ(watch.boxes.size(), 1u);
    EXPECT_EQ(watch.boxes[0].title, "  Can Not Access Drive");
    EXPECT_EQ(watch.windowShown, std::vector<bool>{false});
    EXPECT_EQ(form->Drive1.Drive().front(), 'c') << "back to the drive it started on";
    EXPECT_TRUE(form->Window()->isVisible());
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

// Both channels playing, as a user leaves them by double-clicking a file in each list.
void PlayBoth(frmMain& form) {
    form.Directory1.Path("T:\\music");
    for (FileListBox* list : {&form.MIDIs, &form.WAVEs}) {
        list->ListIndex(0);
        list->DblClick();
    }
    ASSERT_TRUE(IsTrue(form.MIDIFlags().Playing) && IsTrue(form.WAVEFlags().Playing));
}

struct ExitWay {
    const char* name;
    void (*exit)(frmMain& form);
};

class ExitWays : public StartupTest, public testing::WithParamInterface<ExitWay> {};

TEST_P(ExitWays, StopBothChannelsThenWriteEverySettingForTheNextStart) {
    OrderWatch order;
    Start();
    ASSERT_TRUE(ShowActive(*form));
    PlayBoth(*form);
    form->Directory1.Path("T:\\music\\older");
    form->vsVolume.Value(30000);
    form->mnuOptionsTop.Action()->trigger();
    form->mnuOptionsMin.Action()->trigger();
    order.Clear();
    order.savedAtCommand.clear();

    GetParam().exit(*form);

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
    EXPECT_TRUE(Forms().empty());

    // What is saved comes back at the next start, the volume exactly as it was.
    const std::string drive = form->Drive1.Drive();
    Start();
    EXPECT_EQ(form->Drive1.Drive(), drive);
    EXPECT_EQ(form->Directory1.Path(), "T:\\music\\older");
    EXPECT_EQ(form->MIDIs.Path(), "T:\\music\\older");
    EXPECT_EQ(form->WAVEs.Path(), "T:\\music\\older");
    EXPECT_EQ(form->vsVolume.Value(), 30000);
    EXPECT_EQ(mixer.Value(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), 5534u);
    EXPECT_EQ(form->mnuOptionsTop.Checked(), vbFalse);
    EXPECT_FALSE(StaysOnTop());
    EXPECT_EQ(form->mnuOptionsMin.Checked(), vbTrue);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExitWays,
    testing::Values(ExitWay{"FileExit", [](frmMain& f) { f.mnuFileExit.Action()->trigger(); }},
                    ExitWay{"CloseButton", [](frmMain& f) { f.Window()->close(); }},
                    ExitWay{"Unload", [](frmMain& f) { f.UnloadForm(); }},
                    ExitWay{"CtrlX",
                            [](frmMain& f) {
                                PressKey(f.MIDIs.Widget(), Qt::Key_X, Qt::ControlModifier);
                            }}),
    [](const testing::TestParamInfo<ExitWay>& info) { return std::string(info.param.name); });

struct DamagedStore {
    const char* name;
    void (*spoil)(const fs::path& file);  // nothing: no store yet, as at a first start
    bool writable;
};

class DamagedStores : public StartupTest, public testing::WithParamInterface<DamagedStore> {};

TEST_P(DamagedStores, GiveTheDefaultsSilentlyLeavingTheVolumeAndNeverStopTheProgram) {
    fs::create_directories(settings.File().parent_path().parent_path());
    if (GetParam().spoil) GetParam().spoil(settings.File());
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
    EXPECT_EQ(Stored("ShowMin"), GetParam().writable ? "True" : "<missing>");
}

void Garbage(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << std::string("\xff\xfe\0[Settings\n=\x01", 14);
}
void AFolder(const fs::path& file) {
    fs::create_directories(file);
}
void FolderIsAFile(const fs::path& file) {
    std::ofstream(file.parent_path()) << "in the way";
}
// A FIFO once hung the exit, waiting for a writer.
void AFifo(const fs::path& file) {
    fs::create_directories(file.parent_path());
    mkfifo(file.c_str(), 0600);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedStores,
                         testing::Values(DamagedStore{"FirstStart", nullptr, true},
                                         DamagedStore{"Garbage", Garbage, true},
                                         DamagedStore{"FileIsAFolder", AFolder, false},
                                         DamagedStore{"FolderIsAFile", FolderIsAFile, false},
                                         DamagedStore{"FileIsAFifo", AFifo, false}),
                         [](const testing::TestParamInfo<DamagedStore>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
