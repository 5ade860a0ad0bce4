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
        drives.emplace(std::vector<drives::Drive>{{'C', "/", "[/]"},
                                                  {'T', folder.path(), "[test]"},
                                                  {'O', other.path(), "[other]"},
                                                  {'Q', goneFolder, "[gone]"}});
        form->Drive1.Refresh();
        form->Directory1.Path("T:\\music");  // a new drive table starts every drive at its root
    }

    std::vector<std::string> Paths() const {
        return {form->Drive1.Drive(), form->Directory1.Path(), form->MIDIs.Path(),
                form->WAVEs.Path()};
    }

    test_support::TempFolder other;
    const std::filesystem::path goneFolder = folder.path() / "gone";  // never made
    PickedFolder picker;
};

// A readable drive moves the directory and both file lists; an unreadable one is reported and
// the drive list returns to the start drive, while the other lists stay on the last folder read.
TEST_F(BrowsingTest, ADriveChangeMovesEveryListOrIsReportedAndUndone) {
    const std::string startDrive = form->Drive1.Drive();
    form->Drive1.Drive("o");
    form->Directory1.Path("O:\\Other Songs");
    form->Drive1.Drive("t");
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"t: [test]", "T:\\music", "T:\\music", "T:\\music"}));
    form->Drive1.Drive("o");
    const std::vector<std::string> onOther = {"o: [other]", "O:\\Other Songs", "O:\\Other Songs",
                                              "O:\\Other Songs"};
    EXPECT_EQ(Paths(), onOther);
    EXPECT_EQ(form->MIDIs.List(0), "late night.mid");
    EXPECT_TRUE(boxes.boxes.empty());
    form->Drive1.Drive("q");
    ASSERT_EQ(boxes.boxes.size(), 1U);
    EXPECT_EQ(boxes.boxes[0].prompt, "q: [gone] is not accessible.\r\rThe device is not ready.");
    EXPECT_EQ(boxes.boxes[0].title, "  Can Not Access Drive");
    EXPECT_EQ(boxes.boxes[0].style, 16);
    std::vector<std::string> expected = onOther;
    expected[0] = startDrive;
    EXPECT_EQ(Paths(), expected);
}

// Ctrl+O from any control moves all four lists; Cancel, or a folder on no drive, changes nothing.
TEST_F(BrowsingTest, ThePickerMovesAllFourListsFromAnyControl) {
    ASSERT_TRUE(ShowActive(*form));
    picker.answer = goneFolder;
    const std::vector<std::string> before = Paths();
    form->mnuFileOpen.Click();
    EXPECT_EQ(Paths(), before);
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
    EXPECT_EQ(picker.titles, std::vector<std::string>(7, "Select The Directory To Open:"));
    EXPECT_EQ(form->Directory1.Path(), "O:\\Other Songs");
}

// F5 from any control refreshes every list once; in a file list it keeps both selections, and
// the lists report no KeyUp for an F5 they never saw go down.
TEST_F(BrowsingTest, F5RefreshesEveryListFromAnyControlKeepingTheSelections) {
    ASSERT_TRUE(ShowActive(*form));
    form->MIDIs.ListIndex(1);
    form->WAVEs.ListIndex(1);
    int releasedF5 = 0;
    for (FileListBox* list : {&form->MIDIs, &form->WAVEs}) {
        list->KeyUp = [&](std::int16_t key, std::int16_t) { releasedF5 += key == 116 ? 1 : 0; };
    }
    for (Control* control : std::initializer_list<Control*>{&form->Directory1, &form->MIDIs,
                                                            &form->WAVEs, &form->cmdWAVE_Play}) {
        const std::string name = "new " + std::to_string(form->WAVEs.ListCount()) + ".wav";
        folder.Write("music/" + name, sound_files::ToneWave(50, 8000));
        folder.MakeFolder("music/Sub " + name);
        folder.Write("music/a " + name + ".mid", sound_files::NoteSong(1));  // listed first
        PressKey(control->Widget(), Qt::Key_F5);
        EXPECT_EQ(form->MIDIs.ListCount(), form->WAVEs.ListCount() + 1);
        EXPECT_EQ(form->WAVEs.List(static_cast<std::int16_t>(form->WAVEs.ListCount() - 1)), name);
        EXPECT_EQ(form->Directory1.ListCount(), form->WAVEs.ListCount() - 1);  // "older" too
        EXPECT_EQ(form->MIDIs.FileName(), "Song A.mid");
        EXPECT_EQ(form->WAVEs.FileName(), "chime.WAV");
    }
    EXPECT_EQ(releasedF5, 0);
}

// The popup lives on the menu bar hidden, so only the four menus show there.
TEST_F(BrowsingTest, TheMenuBarNeverShowsThePopup) {
    int shown = 0;
    for (const QAction* action : form->Window()->menuBar()->actions()) shown += action->isVisible();
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(form->mnuPop.Visible(), vbFalse);
}

}  // namespace
