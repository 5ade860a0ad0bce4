// modCommon: the always-on-top switch and closing every window with the main one.
#include "shell/mod_common.h"

#include <gtest/gtest.h>

#include <QMainWindow>

#include "tests/support/message_box_recorder.h"
#include "tests/toolkit/test_form.h"

namespace {

bool StaysOnTop(const Form& form) {
    return form.Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

TEST(SetAlwaysOnTop, SwitchesTheBandAndSaysWhetherItWorked) {
    test_support::MessageBoxRecorder boxes;
    TestForm form;
    ASSERT_TRUE(ShowActive(form));
    EXPECT_EQ(SetAlwaysOnTop(form.hWnd(), vbFalse), vbTrue) << "not topmost, and stays so";
    EXPECT_FALSE(StaysOnTop(form));
    EXPECT_EQ(SetAlwaysOnTop(form.hWnd(), vbTrue), vbTrue);
    EXPECT_TRUE(StaysOnTop(form));
    EXPECT_EQ(SetAlwaysOnTop(form.hWnd(), 1), vbTrue) << "only -1 is True";
    EXPECT_FALSE(StaysOnTop(form));
    EXPECT_EQ(SetAlwaysOnTop(4242, vbTrue), vbFalse);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(UnloadAllForms, FromTheMainWindowsUnloadItClosesTheOthersToo) {
    TestForm main;
    TestForm about;
    std::vector<std::string> unloaded;
    main.Unload = [&](std::int16_t&) {
        unloaded.push_back("main");
        UnloadAllForms(vbFalse);
    };
    about.Unload = [&](std::int16_t&) { unloaded.push_back("about"); };
    ASSERT_TRUE(ShowActive(main));
    about.Show();
    main.UnloadForm();
    EXPECT_EQ(unloaded, (std::vector<std::string>{"main", "about"}));
    EXPECT_TRUE(Forms().empty());
    EXPECT_FALSE(about.Window()->isVisible());
}

}  // namespace
