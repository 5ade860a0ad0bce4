// Hostile scripts: opening without end, and sounding more than the mix or the synthesiser holds.
#include "platform/audio/midi_synth.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

class Limits : public ServiceTest {};

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
    for (int i = 0; i < sounding; ++i)
        ASSERT_EQ(Send("play W" + std::to_string(i) + " repeat").code, 0u);
    const std::string last = "W" + std::to_string(sounding);
    EXPECT_EQ(Send("play " + last).code, 262u);
    EXPECT_EQ(Send("status " + last + " mode").text, "stopped");
    EXPECT_EQ(Send("stop W0").code, 0u);
    EXPECT_EQ(Send("play " + last).code, 0u);
    EXPECT_EQ(Send("status " + last + " mode").text, "playing");
}

// The synthesiser sounds a song on each of its blocks at once: one more open sequencer could
// only be silent while saying "playing", so it is refused, saying the channels are taken (not
// that a soundfont is missing), and taken once one closes.
TEST_F(Limits, ASongPastTheSynthesisersLastBlockIsRefusedUntilOneCloses) {
    const std::string song = Write("song.mid", sound_files::NoteSong(2));
    for (int i = 0; i < audio::MidiSynth::kBlocks; ++i)
        ASSERT_EQ(Send("open sequencer!" + song + " alias S" + std::to_string(i)).code, 0u) << i;
    const Reply refused = Send("open sequencer!" + song + " alias EXTRA");
    EXPECT_EQ(refused.code, 343u);
    EXPECT_NE(refused.text.find("channel is taken"), std::string::npos) << refused.text;
    EXPECT_EQ(Send("status EXTRA mode").code, 263u);
    ASSERT_EQ(Send("close S3").code, 0u);
    EXPECT_EQ(Send("open sequencer!" + song + " alias EXTRA").code, 0u);
    EXPECT_EQ(Send("play EXTRA").code, 0u);
    EXPECT_EQ(Send("status EXTRA mode").text, "playing");
}

}  // namespace
}  // namespace mci_test
