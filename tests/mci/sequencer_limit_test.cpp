// The synthesiser sounds a song on each of its blocks at once: one more open sequencer could
// only be silent while saying "playing", so the service refuses it, saying the channels are
// taken (not that a soundfont is missing), and takes it once one closes.
#include "platform/audio/midi_synth.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

class SequencerLimit : public ServiceTest {};

TEST_F(SequencerLimit, ASongPastTheLastBlockIsRefusedUntilOneCloses) {
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
