// The cdaudio device on a generated disc image behind a drive letter: its answers in each
// time format, what it plays, and the drives and images it refuses.
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

struct Exchange {
    const char* command;
    std::uint32_t code;
    const char* reply;  // checked when the code is 0 and it is given
};

void expectReplies(std::initializer_list<Exchange> exchanges) {
    for (const Exchange& row : exchanges) {
        const Reply reply = Send(row.command);
        EXPECT_EQ(reply.code, row.code) << row.command << ": " << reply.text;
        if (row.code == 0 && row.reply) {
            EXPECT_EQ(reply.text, row.reply) << row.command;
        }
    }
}

// Track 1: sectors 0-149 (2 s); track 2: 150-374 (3 s).
TEST_F(CdAudio, AnswersInEachTimeFormat) {
    ASSERT_EQ(Send("open d: type cdaudio alias cd").code, 0u);
    expectReplies({
        Exchange{"status cd number of tracks", 0, "2"},
        Exchange{"status cd media present", 0, "true"},
        Exchange{"status cd mode", 0, "stopped"},
        Exchange{"status cd time format", 0, "milliseconds"},
        Exchange{"status cd length", 0, "5000"},
        Exchange{"status cd length track 2", 0, "3000"},
        Exchange{"status cd length track 3", 282, ""},
        Exchange{"status cd position track 2", 0, "4000"},
        Exchange{"status cd start position", 0, "2000"},
        Exchange{"status cd track 1", 284, ""},
        Exchange{"seek cd to 4000", 0, ""},
        Exchange{"status cd current track", 0, "2"},
        Exchange{"set cd time format tmsf", 0, ""},
        Exchange{"status cd time format", 0, "tmsf"},
        Exchange{"status cd position", 0, "02:00:00:00"},
        Exchange{"status cd length", 0, "00:05:00"},
        Exchange{"seek cd to 1:0:1:30", 0, ""},
        Exchange{"status cd position", 0, "01:00:01:30"},
        Exchange{"status cd current track", 0, "1"},
        Exchange{"seek cd to 3", 282, ""},
        Exchange{"seek cd to end", 0, ""},
        Exchange{"status cd position", 0, "02:00:03:00"},
        Exchange{"set cd time format msf", 0, ""},
        Exchange{"status cd position track 2", 0, "00:04:00"},
        Exchange{"seek cd to start", 0, ""},
        Exchange{"status cd position", 0, "00:02:00"},
        Exchange{"play cd from 0:1:0", 282, ""},
        Exchange{"set cd time format bytes", 290, ""},
        Exchange{"set cd door open", 274, ""},
        Exchange{"pause cd", 302, ""},
    });
}

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
    expectReplies({
        Exchange{"open e: type cdaudio alias cd", 296, ""},  // a file that is no image
        Exchange{"open f: type cdaudio alias cd", 262, ""},  // its image is gone
        Exchange{"open g: type cdaudio alias cd", 262, ""},  // no such drive
        Exchange{"open c:\\music type cdaudio alias cd", 262, ""},
        Exchange{"open cdaudio alias cd", 0, nullptr},  // the first drive, D
        Exchange{"status cd number of tracks", 0, "2"},
    });
}

}  // namespace
}  // namespace mci_test
