// The cdaudio device on a generated disc image behind a drive letter: what it plays, and the
// drives and images it refuses. Its answers in each time format are in script_commands_test.
#include <chrono>

#include "platform/mci/cd_drives.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/cd_image.h"
#include "tests/support/eventually.h"
#include "tests/support/tone_analysis.h"

namespace mci_test {
namespace {

class CdAudio : public ServiceTest {
  protected:
    void SetUp() override {
        const auto image = sound_files::WriteCdImage(folder.path(), "disc", {{440, 2}, {880, 3}});
        mci::ReplaceCdDrives({{'D', image.string()},
                              {'E', Write("not a disc.cue", "TRACK nonsense")},
                              {'F', (folder.path() / "gone.cue").string()}});
    }
    void TearDown() override {
        ServiceTest::TearDown();
        mci::ReplaceCdDrives({});
    }
};

TEST_F(CdAudio, PlaysTheTrackAskedFor) {
    for (const auto& [track, hz] : {std::pair{1, 440.0}, std::pair{2, 880.0}}) {
        const std::string saved =
            (folder.path() / ("track" + std::to_string(track) + ".wav")).string();
        ASSERT_EQ(Send("open d: type cdaudio alias cd").code, 0u);
        ASSERT_EQ(Send("set cd time format tmsf").code, 0u);
        ASSERT_EQ(Send("open new type waveaudio alias rec").code, 0u);
        ASSERT_EQ(Send("set rec samplespersec 44100 channels 1 bitspersample 16").code, 0u);
        ASSERT_EQ(Send("record rec").code, 0u);
        const std::string from = std::to_string(track);
        ASSERT_EQ(Send("play cd from " + from + " to " + from + ":0:1:0 wait").code, 0u);
        EXPECT_EQ(Send("status cd position").text, "0" + from + ":00:01:00");
        EXPECT_EQ(Send("status cd mode").text, "stopped");
        ASSERT_EQ(Send("stop rec").code, 0u);
        ASSERT_EQ(Send("save rec " + saved).code, 0u);
        EXPECT_NEAR(sound_files::ToneHz(saved), hz, hz * 0.05) << "track " << track;
        Send("close all");
    }
}

TEST_F(CdAudio, PauseHoldsThePlaceAndResumeGoesOn) {
    ASSERT_EQ(Send("open d: type cdaudio alias cd").code, 0u);
    ASSERT_EQ(Send("play cd from 4000").code, 0u);
    test_support::Eventually([] { return NumberOf("status cd position") >= 4100; });
    ASSERT_EQ(Send("pause cd").code, 0u);
    EXPECT_EQ(Send("status cd mode").text, "paused");
    const std::int64_t held = NumberOf("status cd position");
    EXPECT_GE(held, 4100);
    EXPECT_EQ(NumberOf("status cd position"), held);
    ASSERT_EQ(Send("resume cd").code, 0u);
    EXPECT_EQ(Send("status cd mode").text, "playing");
    ASSERT_EQ(Send("stop cd").code, 0u);
    EXPECT_EQ(Send("status cd mode").text, "stopped");
}

TEST_F(CdAudio, RefusesDrivesWithoutADisc) {
    for (const auto& [command, code] :
         {std::pair{"open e: type cdaudio alias cd", 296u},  // no image
          {"open f: type cdaudio alias cd", 262u},           // image gone
          {"open g: type cdaudio alias cd", 262u},           // no drive
          {"open c:\\music type cdaudio alias cd", 262u},
          {"open cdaudio alias cd", 0u}}) {  // the first drive, D
        const Reply reply = Send(command);
        EXPECT_EQ(reply.code, code) << command << ": " << reply.text;
    }
    EXPECT_EQ(Send("status cd number of tracks").text, "2");
}

}  // namespace
}  // namespace mci_test
