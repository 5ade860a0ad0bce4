// Browsing: a drive change moves the directory and file lists, an unreadable drive is reported
// and the drive list returns to where it started, the folder picker moves all four lists, and
// the menu shortcuts reach their commands from every control.
#include <gtest/gtest.h>

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <filesystem>

#include "platform/shell.h"
#include "tests/main_window/main_window_fixture.h"

namespace {

class PickedFolder : public FolderDialog {
  public:
    PickedFolder() : before_(SetFolderDialog(this)) {}
    ~PickedFolder() override { SetFolderDialog(before_); }
    std::optional<std::filesystem::path> Choose(std::int32_t, const std::string& title,
                                                const std::filesystem::path&) override {
        titles.push_back(title);
        return answer;
    }
    std::optional<std::filesystem::path> answer;
    std::vector<std::string> titles;

  private:
    FolderDialog* before_;
};

class BrowsingTest : public MainWindowTest {
  protected:
    BrowsingTest() {
        other.Write("Other Songs/late night.mid", sound_files::NoteSong(1));
        other.Write("Other Songs/door bell.wav", sound_files::ToneWave(100, 8000));
        gone.emplace();
        goneFolder = gone->path();
        drives.emplace(std::vector<drives::Drive>{{'C', "/", "[/]"},
                                                  {'T', folder.path(), "[test]"},
                                                  {'O', other.path(), "[other]"},
                                                  {'Q', goneFolder, "[gone]"}});
        gone.reset();
        form->Drive1.Refresh();
        form->Directory1.Path("T:\\music");  // a new drive table starts every drive at its root
    }

    std::vector<std::string> Paths() const {
        return {form->Drive1.Drive(), form->Directory1.Path(), form->MIDIs.Path(),
                form->WAVEs.Path()};
    }

    test_support::TempFolder other;
    std::optional<test_support::TempFolder> gone;
    std::filesystem::path goneFolder;
    PickedFolder picker;
};

TEST_F(BrowsingTest, AReadableDriveMovesTheDirectoryAndBothFileLists) {
    form->Drive1.Drive("o");
    form->Directory1.Path("O:\\Other Songs");
    form->Drive1.Drive("t");
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"t: [test]", "T:\\music", "T:\\music", "T:\\music"}));
    form->Drive1.Drive("o");
    EXPECT_EQ(Paths(), (std::vector<std::string>{"o: [other]", "O:\\Other Songs", "O:\\Other Songs",
                                                 "O:\\Other Songs"}));
    EXPECT_EQ(form->MIDIs.List(0), "late night.mid");
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(BrowsingTest, AnUnreadableDriveIsReportedAndTheDriveListReturnsToTheStartDrive) {
    const std::string startDrive = form->Drive1.Drive();
    form->Drive1.Drive("o");
    form->Directory1.Path("O:\\Other Songs");
    form->Drive1.Drive("q");
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].prompt, "q: [gone] is not accessible.\r\rThe device is not ready.");
    EXPECT_EQ(boxes.boxes[0].title, "  Can Not Access Drive");
    EXPECT_EQ(boxes.boxes[0].style, 16);
    // Back on the start drive, while the other lists stay on the last folder that could be read.
    EXPECT_EQ(Paths(), (std::vector<std::string>{startDrive, "O:\\Other Songs", "O:\\Other Songs",
                                                 "O:\\Other Songs"}));
}

TEST_F(BrowsingTest, ThePickerMovesAllFourListsFromAnyControlAndCancelChangesNothing) {
    ASSERT_TRUE(ShowActive(*form));
    picker.answer = other.path() / "Other Songs";
    PressKey(form->WAVEs.Widget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Paths(), (std::vector<std::string>{"o: [other]", "O:\\Other Songs", "O:\\Other Songs",
                                                 "O:\\Other Songs"}));
    picker.answer.reset();
    for (Control* control :
         std::initializer_list<Control*>{&form->Drive1, &form->Directory1, &form->MIDIs,
                                         &form->cmdMIDI_Stop, &form->vsVolume}) {
        PressKey(control->Widget(), Qt::Key_O, Qt::ControlModifier);
    }
    EXPECT_EQ(picker.titles, std::vector<std::string>(6, "Select The Directory To Open:"));
    EXPECT_EQ(form->Directory1.Path(), "O:\\Other Songs");
}

TEST_F(BrowsingTest, APickedFolderWithoutADriveLeavesTheListsWhereTheyWere) {
    picker.answer = goneFolder;
    const std::vector<std::string> before = Paths();
    form->mnuFileOpen.Click();
    EXPECT_EQ(Paths(), before);
}

TEST_F(BrowsingTest, F5RefreshesEveryListFromAnyControl) {
    ASSERT_TRUE(ShowActive(*form));
    for (Control* control :
         std::initializer_list<Control*>{&form->Directory1, &form->MIDIs, &form->cmdWAVE_Play}) {
        const std::string name = "new " + std::to_string(form->WAVEs.ListCount()) + ".wav";
        folder.Write("music/" + name, sound_files::ToneWave(50, 8000));
        folder.MakeFolder("music/Sub " + name);
        PressKey(control->Widget(), Qt::Key_F5);
        EXPECT_EQ(form->WAVEs.List(static_cast<std::int16_t>(form->WAVEs.ListCount() - 1)), name);
        EXPECT_EQ(form->Directory1.ListCount(), form->WAVEs.ListCount() - 2);
    }
}

TEST_F(BrowsingTest, F5InAFileListRefreshesEveryListOnceAndKeepsBothSelections) {
    ASSERT_TRUE(ShowActive(*form));
    form->MIDIs.ListIndex(1);
    form->WAVEs.ListIndex(1);
    int releasedF5 = 0;
    for (FileListBox* list : {&form->MIDIs, &form->WAVEs}) {
        list->KeyUp = [&](std::int16_t key, std::int16_t) { releasedF5 += key == 116 ? 1 : 0; };
    }
    for (FileListBox* list : {&form->MIDIs, &form->WAVEs}) {
        folder.Write("music/a new song.mid", sound_files::NoteSong(1));
        PressKey(list->Widget(), Qt::Key_F5);
        EXPECT_EQ(form->MIDIs.List(0), "a new song.mid");
        EXPECT_EQ(form->MIDIs.FileName(), "Song A.mid");
        EXPECT_EQ(form->WAVEs.FileName(), "chime.WAV");
        std::filesystem::remove(folder.path() / "music/a new song.mid");
    }
    EXPECT_EQ(releasedF5, 0);
}

TEST(StartUp, AWindowStartedInADeletedFolderShowsItsListsAsUnreadable) {
    ApplicationFirst application;
    test_support::TempFolder folder;
    test_support::ScopedSettingsFolder settings{folder.path() / "config"};
    test_support::ScopedDrives drives({{'C', "/", "[/]"}, {'T', folder.path(), "[test]"}});
    const test_support::DeletedWorkingDirectory gone(folder.path() / "gone");
    frmMain form;
    form.LoadForm();
    EXPECT_EQ(form.Directory1.Path(), "T:\\gone");
    EXPECT_EQ(form.MIDIs.ListCount(), 0);
    EXPECT_EQ(form.WAVEs.ListCount(), 0);
    form.UnloadForm();
}

TEST_F(BrowsingTest, CtrlXUnloadsTheWindowStoppingBothChannelsAndClosingAll) {
    ASSERT_TRUE(ShowActive(*form));
    PressKey(form->MIDIs.Widget(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(form->Loaded(), vbFalse);
    // Releasing the media object closes everything once more.
    EXPECT_EQ(mci.Commands(), (std::vector<std::string>{"stop MIDI", "stop WAVE", "close all wait",
                                                        "close all wait"}));
}

TEST_F(BrowsingTest, TheMenuBarShowsFourMenusAndNeverThePopup) {
    std::vector<QString> shown;
    for (const QAction* action : form->Window()->menuBar()->actions()) {
        if (action->isVisible()) shown.push_back(action->text());
    }
    EXPECT_EQ(shown, (std::vector<QString>{" &File", " &Options", " &Sounds", " &Help"}));
    EXPECT_EQ(form->mnuPop.Visible(), vbFalse);
    EXPECT_EQ(form->mnuOptionsTop.Checked(), vbTrue);
    EXPECT_EQ(form->mnuOptionsMin.Checked(), vbFalse);
}

}  // namespace
