// Hostile scripts: saving onto things that are not files, and opening without end.
#include <sys/stat.h>

#include <filesystem>

#include "tests/mci/service_fixture.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

class Limits : public ServiceTest {};

TEST_F(Limits, SaveRefusesWhatIsNotARegularFileOrANewName) {
    const std::string fifo = (folder.path() / "pipe.wav").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string existing = Write("old.wav", "old");
    ASSERT_EQ(Send("open new type waveaudio alias REC").code, 0u);
    ASSERT_EQ(Send("record REC").code, 0u);
    ASSERT_EQ(Send("stop REC").code, 0u);
    struct Target {
        std::string path;
        std::uint32_t code;
    };
    for (const Target& target :
         {Target{fifo, 286}, Target{folder.path().string(), 286}, Target{"/dev/null", 286},
          Target{existing, 0}, Target{(folder.path() / "new.wav").string(), 0}})
        EXPECT_EQ(Send("save REC " + target.path).code, target.code) << target.path;
    EXPECT_TRUE(std::filesystem::is_fifo(fifo)) << "the pipe is left as it was";
    EXPECT_GT(std::filesystem::file_size(existing), 3u) << "a regular file is replaced";
}

TEST_F(Limits, OpensStopAtALimitAndCloseAllFreesThem) {
    int opened = 0;
    std::uint32_t code = 0;
    for (; opened < 100000; ++opened) {
        code = Send("open waveaudio alias D" + std::to_string(opened)).code;
        if (code != 0) break;
    }
    EXPECT_EQ(code, 266u);
    EXPECT_GE(opened, 1000) << "no real use reaches the limit";
    EXPECT_EQ(Send("status D0 mode").code, 0u) << "what was open stays open";
    EXPECT_EQ(Send("close all").code, 0u);
    EXPECT_EQ(Send("status D0 mode").code, 263u);
    EXPECT_EQ(Send("open waveaudio alias AFTER").code, 0u);
}

// The mix sounds 256 devices at once: the next play is refused rather than answered with
// "playing" over silence, and is taken again once one of them stops.
TEST_F(Limits, APlayPastWhatTheMixSoundsIsRefused) {
    const std::string wave = Write("tone.wav", sound_files::ToneWave(1000));
    const int sounding = 256;
    for (int i = 0; i <= sounding; ++i)
        ASSERT_EQ(Send("open " + wave + " alias W" + std::to_string(i)).code, 0u);
    for (int i = 0; i < sounding; ++i) ASSERT_EQ(Send("play W" + std::to_string(i) + " repeat").code, 0u);
    const std::string last = "W" + std::to_string(sounding);
    EXPECT_EQ(Send("play " + last).code, 262u);
    EXPECT_EQ(Send("status " + last + " mode").text, "stopped");
    EXPECT_EQ(Send("stop W0").code, 0u);
    EXPECT_EQ(Send("play " + last).code, 0u);
    EXPECT_EQ(Send("status " + last + " mode").text, "playing");
}

}  // namespace
}  // namespace mci_test
