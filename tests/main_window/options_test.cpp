// The window options from the keyboard, and where a minimised window goes with each setting
// of Show In Taskbar On Minimize.
#include <gtest/gtest.h>

#include "platform/toolkit/window_registry.h"
#include "tests/main_window/main_window_fixture.h"

namespace {

TEST_F(StartupTest, F2AndF3ToggleTheOptionsFromAnyControl) {
    Start();
    ASSERT_TRUE(ShowActive(*form));
    for (Control* control : std::initializer_list<Control*>{&form->MIDIs, &form->Directory1}) {
        for (const Boolean top : {vbFalse, vbTrue}) {
            PressKey(control->Widget(), Qt::Key_F2);
            EXPECT_EQ(form->mnuOptionsTop.Checked(), top);
            EXPECT_EQ(StaysOnTop(), IsTrue(top));
        }
        for (const Boolean min : {vbTrue, vbFalse}) {
            PressKey(control->Widget(), Qt::Key_F3);
            EXPECT_EQ(form->mnuOptionsMin.Checked(), min);
        }
    }
}

struct MinimiseCase {
    const char* name;
    bool showInTaskBar;
    bool trayIcon;
    bool staysVisible;
};

class Minimising : public StartupTest, public testing::WithParamInterface<MinimiseCase> {};

TEST_P(Minimising, LeavesTheTaskBarOnlyWhenTheTrayIconLeadsBack) {
    if (GetParam().showInTaskBar) Store("ShowMin", "True");
    Start();
    ASSERT_TRUE(ShowActive(*form));
    if (GetParam().trayIcon) toolkit::TrayIconAdded(form->hWnd());
    form->WindowState(vbMinimized);
    EXPECT_EQ(form->Visible(), ToBoolean(GetParam().staysVisible));
    EXPECT_EQ(form->WindowState(), vbMinimized);
    if (GetParam().trayIcon) toolkit::TrayIconRemoved(form->hWnd());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Minimising,
    testing::Values(MinimiseCase{"HiddenBehindTheTrayIcon", false, true, false},
                    MinimiseCase{"KeptWithoutATrayIcon", false, false, true},
                    MinimiseCase{"KeptWhenAsked", true, true, true},
                    MinimiseCase{"KeptWhenAskedWithoutATrayIcon", true, false, true}),
    [](const testing::TestParamInfo<MinimiseCase>& info) { return std::string(info.param.name); });

}  // namespace
