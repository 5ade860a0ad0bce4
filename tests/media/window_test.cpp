// The video window helpers: the "put" sequence, and the window handle lookup they rely on.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "media/cmci_adv.h"
#include "platform/toolkit/form.h"
#include "tests/support/mci_recorder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/toolkit/test_application.h"

namespace {

using ::testing::ElementsAreArray;

class VideoWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }
    void SetUp() override {
        recorder.Answer("status AVI window handle", 0, std::to_string(display.hWnd()));
    }

    test_support::MciRecorder recorder;
    test_support::MessageBoxRecorder boxes;
    Form display;
    cMCI_Adv mci;
};

TEST_F(VideoWindowTest, MoveVideoSendsThePutCommandsInOrder) {
    const struct {
        const char* alias;
        MoveVideoOptions options;
        std::vector<std::string> expected;  // empty: nothing is sent and the call fails
    } cases[] = {
        {" AVI ",
         {},
         {"put AVI window", "put AVI window client", "put AVI source", "put AVI destination"}},
        {"AVI",
         {.MoveWindowLocation = vbTrue,
          .Window_Left = -10,
          .Window_Width = 320,
          .Window_Height = 240,
          .DisplayVideoOnEntireWindow = vbFalse,
          .Dest_Left = 5,
          .Dest_Top = -6,
          .Dest_Width = 7,
          .Dest_Height = 8,
          .UseEntireSourceImage = vbFalse,
          .Source_Left = 1,
          .Source_Top = 2,
          .Source_Width = 3,
          .Source_Height = 4},
         {"put AVI window", "put AVI window client", "put AVI source at 1 2 3 4",
          "put AVI window at -10 0 320 240", "put AVI destination at 5 -6 7 8"}},
        {"   ", {}, {}},
    };
    for (const auto& c : cases) {
        recorder.Clear();
        const Boolean result = mci.MCIa_MoveVideo(c.alias, c.options);
        EXPECT_THAT(recorder.Commands(), ElementsAreArray(c.expected));
        EXPECT_EQ(result, c.expected.empty() ? vbFalse : vbTrue);
    }
}

// A failed put ends the sequence; the caption and icon members need a number from a successful
// status first, and send nothing for a blank alias.
TEST_F(VideoWindowTest, FailuresEndTheCallWithFalse) {
    recorder.Answer("put AVI window client", 263);
    recorder.Clear();
    EXPECT_EQ(mci.MCIa_MoveVideo("AVI", {.MoveWindowLocation = vbTrue, .ShowErrors = vbTrue}),
              vbFalse);
    EXPECT_THAT(recorder.Commands(), ElementsAreArray({"put AVI window", "put AVI window client"}));
    EXPECT_EQ(boxes.boxes.size(), 1u);
    struct Case {
        const char* name;
        std::uint32_t code;
        const char* reply;
        std::size_t boxes;
    };
    for (const Case& c : {Case{"StatusRefused", 346, "", 1}, Case{"EmptyReply", 0, "", 0},
                          Case{"NotANumber", 0, "12ab", 0}, Case{"NoSuchWindow", 0, "99999", 0}}) {
        recorder.Answer("status AVI window handle", c.code, c.reply);
        recorder.Clear();
        boxes.boxes.clear();
        EXPECT_EQ(
            mci.MCI_WindowCaption(" AVI ", "Title", {.hCallbackProc = 4, .ShowErrors = vbTrue}),
            vbFalse)
            << c.name;
        EXPECT_THAT(recorder.Commands(), ElementsAreArray({"status AVI window handle notify wait"}))
            << c.name;
        EXPECT_EQ(boxes.boxes.size(), c.boxes) << c.name;
    }
    recorder.Clear();
    EXPECT_EQ(mci.MCI_WindowIcon("  ", 5), vbFalse);
    EXPECT_EQ(mci.MCI_WindowCaption("", "x"), vbFalse);
    EXPECT_TRUE(recorder.calls.empty()) << "nothing for a blank alias";
}

}  // namespace
