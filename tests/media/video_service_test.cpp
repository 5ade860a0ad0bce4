// The video window helpers against the real service, whose sound devices have no display
// window: each member fails through that error and says so when asked.
#include <gtest/gtest.h>

#include <functional>

#include "media/cmci_adv.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/sound_files.h"

namespace {

class VideoOnTheService : public mci_test::ServiceTest {
  protected:
    test_support::MessageBoxRecorder boxes;
    cMCI_Adv mci;
};

TEST_F(VideoOnTheService, ASoundDeviceHasNoDisplayWindow) {
    const std::string file = Write("clip.wav", sound_files::ToneWave(200));
    ASSERT_EQ(mci.MCI_Open("CLIP", {.DeviceType = 4, .FilePath = file}), vbTrue);
    const struct {
        const char* name;
        std::function<Boolean()> call;
    } members[] = {
        {"Caption", [&] { return mci.MCI_WindowCaption("CLIP", "Title", {.ShowErrors = vbTrue}); }},
        {"Icon", [&] { return mci.MCI_WindowIcon("CLIP", 1, {.ShowErrors = vbTrue}); }},
        {"Move", [&] { return mci.MCIa_MoveVideo("CLIP", {.ShowErrors = vbTrue}); }},
    };
    for (const auto& member : members) {
        boxes.boxes.clear();
        EXPECT_EQ(member.call(), vbFalse) << member.name;
        ASSERT_EQ(boxes.boxes.size(), 1u) << member.name;
        EXPECT_NE(boxes.boxes[0].prompt.find("Error Number = 346"), std::string::npos)
            << boxes.boxes[0].prompt;
    }
    EXPECT_EQ(mci_test::Send("status CLIP mode").text, "stopped") << "the device is still usable";
}

}  // namespace
