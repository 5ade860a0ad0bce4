// The caption and icon members on a real window: a stand-in service answers the window
// handle of a form, as a video device's service would name its display window.
#include <gtest/gtest.h>

#include <QIcon>
#include <QMainWindow>

#include "media/cmci_adv.h"
#include "platform/toolkit/form.h"
#include "platform/user_interface.h"
#include "tests/support/mci_recorder.h"
#include "tests/toolkit/test_application.h"

namespace {

class VideoWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }
    void SetUp() override {
        recorder.Answer("status AVI window handle", 0, std::to_string(display.hWnd()));
    }

    test_support::MciRecorder recorder;
    Form display;
    cMCI_Adv mci;
};

TEST_F(VideoWindowTest, TheCaptionIsSetAsGiven) {
    for (const char* caption : {" Clip one ", "", "Ünïcode and \"quotes\""}) {
        EXPECT_EQ(mci.MCI_WindowCaption("AVI", caption), vbTrue) << caption;
        EXPECT_EQ(display.Caption(), caption);
    }
}

TEST_F(VideoWindowTest, TheIconIsTheOneWhoseHandleWasGiven) {
    ResourceValue icon;
    ASSERT_EQ(mci.RES_Extract(icon, 101, 1), vbTrue);
    const std::int32_t hIcon = std::get<Picture>(icon).Handle();
    EXPECT_EQ(mci.MCI_WindowIcon("AVI", hIcon), vbTrue);
    EXPECT_FALSE(display.Window()->windowIcon().isNull());
    // The window answers a new icon with the handle of the one it had.
    EXPECT_EQ(SendMessageA(display.hWnd(), WM_SETICON, ICON_BIG, 0), hIcon);
    EXPECT_TRUE(display.Window()->windowIcon().isNull());
}

}  // namespace
