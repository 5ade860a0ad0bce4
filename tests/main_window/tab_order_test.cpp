// The keyboard walks the window in the designed order: Tab visits every control that takes the
// focus, the volume slider between WAVE Stop and WAVE Pause, and Shift+Tab walks back.
#include <gtest/gtest.h>

#include <QApplication>
#include <map>

#include "tests/main_window/main_window_fixture.h"

namespace {

class TabOrderTest : public MainWindowTest {
  protected:
    // Names of the controls the focus lands on, starting at the drive list, one per key press.
    std::vector<std::string> Walk(Qt::KeyboardModifiers modifiers) {
        const std::map<QWidget*, std::string> names = {
            {form->Drive1.Widget(), "Drive1"},
            {form->Directory1.Widget(), "Directory1"},
            {form->MIDIs.Widget(), "MIDIs"},
            {form->cmdMIDI_Play.Widget(), "cmdMIDI_Play"},
            {form->cmdMIDI_Pause.Widget(), "cmdMIDI_Pause"},
            {form->cmdMIDI_Stop.Widget(), "cmdMIDI_Stop"},
            {form->WAVEs.Widget(), "WAVEs"},
            {form->cmdWAVE_Play.Widget(), "cmdWAVE_Play"},
            {form->cmdWAVE_Stop.Widget(), "cmdWAVE_Stop"},
            {form->vsVolume.Widget(), "vsVolume"},
            {form->cmdWAVE_Pause.Widget(), "cmdWAVE_Pause"},
        };
        form->Drive1.SetFocus();
        std::vector<std::string> visited;
        for (std::size_t i = 0; i < names.size(); ++i) {
            QTest::keyClick(form->Window()->windowHandle(), Qt::Key_Tab, modifiers);
            const auto found = names.find(QApplication::focusWidget());
            visited.push_back(found == names.end() ? "another widget" : found->second);
        }
        return visited;
    }
};

TEST_F(TabOrderTest, TabVisitsEveryControlInTheDesignedOrderAndShiftTabWalksBack) {
    ASSERT_TRUE(ShowActive(*form));
    const std::vector<std::string> forward = {
        "Directory1",   "MIDIs",        "cmdMIDI_Play", "cmdMIDI_Pause", "cmdMIDI_Stop", "WAVEs",
        "cmdWAVE_Play", "cmdWAVE_Stop", "vsVolume",     "cmdWAVE_Pause", "Drive1"};
    EXPECT_EQ(Walk(Qt::NoModifier), forward);
    std::vector<std::string> backward(forward.rbegin() + 1, forward.rend());
    backward.push_back("Drive1");
    EXPECT_EQ(Walk(Qt::ShiftModifier), backward);
}

}  // namespace
