// Recording what plays into a new wave device and saving it, as the program's recording helper
// does, and the formats, states and save paths the recorder refuses.
#include <sys/stat.h>

#include <filesystem>

#include "tests/mci/service_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

class Recording : public ServiceTest {};

TEST_F(Recording, WhatPlaysIsSavedInTheSetFormat) {
    Write("Sound In/tone.wav", sound_files::ToneWave(800, 22050, 2));
    folder.MakeFolder("Takes Out");
    test_support::ScopedDrives drive({{'R', folder.path(), "test"}});
    ASSERT_EQ(Send("open WaveAudio!R:\\SOUND IN\\TONE.WAV alias IN wait").code, 0u);
    ASSERT_EQ(Send("open new type waveaudio alias REC buffer 5").code, 0u);
    ASSERT_EQ(Send("set REC samplespersec 44100 channels 2 bitspersample 16 alignment 4 "
                   "bytespersec 176400")
                  .code,
              0u);
    ASSERT_EQ(Send("set REC time format milliseconds").code, 0u);
    ASSERT_EQ(Send("record REC overwrite").code, 0u);
    EXPECT_EQ(Send("status REC mode").text, "recording");
    ASSERT_EQ(Send("play IN to 799").code, 0u);
    // The program polls until the position reaches the "to" of its play.
    test_support::Eventually([] { return NumberOf("status IN position") >= 799; },
                             std::chrono::seconds(3));
    EXPECT_EQ(NumberOf("status IN position"), 799);
    Send("stop REC");
    EXPECT_EQ(Send("status REC mode").text, "stopped");
    const std::int64_t recorded = NumberOf("status REC position");
    EXPECT_GE(recorded, 780);
    EXPECT_EQ(Send("save REC R:\\TAKES OUT\\TAKE 1.WAV").code, 0u);

    const auto saved = sound_files::ReadWave(folder.Read("Takes Out/TAKE 1.WAV"));
    EXPECT_EQ(saved.channels, 2);
    EXPECT_EQ(saved.rate, 44100);
    EXPECT_EQ(saved.bits, 16);
    EXPECT_NEAR(static_cast<std::int64_t>(saved.samples.size()) * 1000 / (2 * 44100), recorded, 30);
    EXPECT_GT(sound_files::Peak(saved.samples), 1000 / 32768.0) << "the tone was recorded";
}

TEST_F(Recording, FormatAndStateRulesOfTheRecorder) {
    ASSERT_EQ(Send("open new type waveaudio alias REC").code, 0u);
    for (const char* refused :
         {"set REC channels 9", "set REC bitspersample 12", "set REC samplespersec 10",
          "set REC channels 2 bitspersample 16 alignment 2"})
        EXPECT_EQ(Send(refused).code, 282u) << refused;
    EXPECT_EQ(Send("set REC samplespersec 8000 channels 1 bitspersample 8 alignment 1 "
                   "bytespersec 8000")
                  .code,
              0u);
    EXPECT_EQ(Send("pause REC").code, 302u);
    EXPECT_EQ(Send("resume REC").code, 302u);
    EXPECT_EQ(Send("play REC").code, 274u);
    ASSERT_EQ(Send("record REC").code, 0u);
    EXPECT_EQ(Send("save REC " + (folder.path() / "early.wav").string()).code, 302u);
    EXPECT_EQ(Send("pause REC").code, 0u);
    EXPECT_EQ(Send("status REC mode").text, "paused");
    EXPECT_EQ(Send("resume REC").code, 0u);
    Send("stop REC");
    EXPECT_EQ(Send("set REC channels 2").code, 302u) << "the format is fixed once recorded";
    EXPECT_EQ(Send("save REC " + (folder.path() / "8 bit.wav").string()).code, 0u);
    EXPECT_EQ(sound_files::ReadWave(folder.Read("8 bit.wav")).bits, 8);
}

// Each refused path says what is wrong with it; pipes and devices are left as they were.
TEST_F(Recording, SaveRefusesWhatIsNotARegularFileOrANewName) {
    const std::string fifo = (folder.path() / "pipe.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string existing = Write("old.wav", "old");
    ASSERT_EQ(Send("open new type waveaudio alias REC").code, 0u);
    ASSERT_EQ(Send("record REC").code, 0u);
    ASSERT_EQ(Send("stop REC").code, 0u);
    const Reply noFolder = Send("save REC " + (folder.path() / "no such folder/x.wav").string());
    EXPECT_EQ(noFolder.code, 286u);
    for (const std::string& bad : {fifo, folder.path().string(), std::string("/dev/null"),
                                   (folder.path() / (std::string(300, 'n') + ".wav")).string()}) {
        const Reply reply = Send("save REC " + bad);
        EXPECT_EQ(reply.code, 286u) << bad;
        EXPECT_NE(reply.text, noFolder.text) << bad << ": says what is wrong with the path";
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "the pipe is left as it was";
    EXPECT_EQ(Send("save REC " + existing).code, 0u);
    EXPECT_GT(std::filesystem::file_size(existing), 3u) << "a regular file is replaced";
    EXPECT_EQ(Send("save REC \"" + (folder.path() / "new take.wav").string() + "\" wait").code, 0u);
}

}  // namespace
}  // namespace mci_test
