// Browsing: drive changes, F5 and the tab order reach every list and control.
#include <gtest/gtest.h>

#include <QApplication>

#include "tests/main_window/main_window_fixture.h"

namespace {

class BrowsingTest : public MainWindowTest {
  protected:
    BrowsingTest() {
        folder.Write("other/Other Songs/late night.mid", sound_files::NoteSong(1));
        folder.Write("other/Other Songs/door bell.wav", sound_files::ToneWave(100, 8000));
        drives.emplace(std::vector<drives::Drive>{{'C', "/", "[/]"},
                                                  {'T', folder.path(), "[test]"},
                                                  {'O', folder.path() / "other", "[other]"},
                                                  {'Q', folder.path() / "gone", "[gone]"}});
        form->Drive1.Refresh();
        form->Directory1.Path("T:\\music");  // a new drive table starts every drive at its root
    }

    std::vector<std::string> Paths() const {
        return {form->Drive1.Drive(), form->Directory1.Path(), form->MIDIs.Path(),
                form->WAVEs.Path()};
    }
};

// An unreadable drive is reported and undone; the other lists stay on the last folder read.
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

// F5 refreshes every list keeping the selections; no KeyUp comes for an F5 never seen going down.
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

// Tab visits every control that takes the focus, the slider between WAVE Stop and WAVE Pause.
TEST_F(BrowsingTest, TabVisitsEveryControlInTheDesignedOrderAndShiftTabWalksBack) {
    ASSERT_TRUE(ShowActive(*form));
    std::vector<QWidget*> forward;
    for (Control* control : std::initializer_list<Control*>{
             &form->Directory1, &form->MIDIs, &form->cmdMIDI_Play, &form->cmdMIDI_Pause,
             &form->cmdMIDI_Stop, &form->WAVEs, &form->cmdWAVE_Play, &form->cmdWAVE_Stop,
             &form->vsVolume, &form->cmdWAVE_Pause, &form->Drive1})
        forward.push_back(control->Widget());
    std::vector<QWidget*> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back(form->Drive1.Widget());
    for (const auto& [modifiers, expected] :
         {std::pair{Qt::KeyboardModifiers(), forward},
          std::pair{Qt::KeyboardModifiers(Qt::ShiftModifier), backward}}) {
        form->Drive1.SetFocus();
        std::vector<QWidget*> visited;
        for (std::size_t i = 0; i < forward.size(); ++i) {
            QTest::keyClick(form->Window()->windowHandle(), Qt::Key_Tab, modifiers);
            visited.push_back(QApplication::focusWidget());
        }
        EXPECT_EQ(visited, expected);
    }
}

}  // namespace
