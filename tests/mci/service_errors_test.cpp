// Bad files, unknown devices, wrong values and hostile scripts are refused with a number and a
// text.
#include <cstring>
#include <filesystem>

#include "platform/audio/midi_synth.h"
#include "platform/drives.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {
struct OpenCase {
    const char* name;
    const char* file;  // written into the test's folder; nullptr: none
    std::string bytes;
    const char* command;  // "%" stands for the file's path
    std::uint32_t code;
};

std::string withPath(std::string command, const std::string& path) {
    const auto mark = command.find('%');
    if (mark != std::string::npos) command.replace(mark, 1, path);
    return command;
}

class Opens : public ServiceTest, public testing::WithParamInterface<OpenCase> {};

TEST_P(Opens, GiveTheirNumberAndAText) {
    const OpenCase& row = GetParam();
    std::string path = (folder.path() / "missing.wav").string();
    if (row.file && std::string(row.file).ends_with("/"))
        path = folder.MakeFolder(std::string(row.file, std::strlen(row.file) - 1)).string();
    else if (row.file)
        path = Write(row.file, row.bytes);
    const Reply reply = Send(withPath(row.command, path));
    EXPECT_EQ(reply.code, row.code) << row.name;
    EXPECT_FALSE(reply.text.empty()) << row.name;
    if (row.code == 275) {
        EXPECT_NE(reply.text.find(path), std::string::npos) << row.name << ": names the file";
    }
    EXPECT_EQ(Send("status X mode").code, row.code == 0 ? 0u : 263u) << row.name << ": open or not";
}

// Longer than any path Linux opens.
const std::string kOverlongOpen =
    "open WaveAudio!C:\\" + std::string(drives::kLongestPath, 'x') + ".wav alias X";

INSTANTIATE_TEST_SUITE_P(
    Service, Opens,
    testing::Values(
        OpenCase{"song by its extension", "song.RMI", sound_files::NoteSong(1), "open % alias X",
                 0},
        OpenCase{"wave by its extension", "ding.Wav", sound_files::ToneWave(50), "open % alias X",
                 0},
        OpenCase{"any file with a type", "notes.txt", sound_files::ToneWave(50),
                 "open % type waveaudio alias X", 0},
        OpenCase{"quote in the name", "quote\"d.wav", sound_files::ToneWave(50),
                 "open WaveAudio!% alias X wait", 0},
        OpenCase{"spaced name", "  spaced  .wav", sound_files::ToneWave(50),
                 "open WaveAudio!% alias X", 0},
        // Words of options inside a path do not end it when the rest would not read as options.
        OpenCase{"option words in the name", "A WAIT B ALIAS Y.wav", sound_files::ToneWave(50),
                 "  OPEN\tWaveAudio!%  ALIAS X  ", 0},
        OpenCase{"quoted, with a type", "x alias y.wav", sound_files::ToneWave(50),
                 "open \"%\" type waveaudio alias X wait", 0},
        OpenCase{"missing wave", nullptr, "", "open WaveAudio!% alias X", 275},
        OpenCase{"corrupt wave", "noise.wav", std::string(3000, '\x5A'), "open WaveAudio!% alias X",
                 296},
        OpenCase{"corrupt song", "noise.mid", std::string(3000, '\x5A'), "open Sequencer!% alias X",
                 296},
        OpenCase{"wave cut inside its header", "cut.wav", sound_files::ToneWave(500).substr(0, 30),
                 "open WaveAudio!% alias X", 296},
        OpenCase{"song cut inside its header", "cut.mid", sound_files::NoteSong(4).substr(0, 10),
                 "open Sequencer!% alias X", 296},
        OpenCase{"empty song", "empty.mid", "", "open % alias X", 296},
        OpenCase{"song opened as wave", "song.wav", sound_files::NoteSong(2), "open % alias X",
                 296},
        OpenCase{"folder named like a file", "folder.wav/", "", "open % alias X", 348},
        OpenCase{"video type", "clip.avi", "x", "open avivideo!% alias X", 266},
        OpenCase{"no cd drive behind the letter", nullptr, "", "open z: type cdaudio alias X wait",
                 262},
        OpenCase{"vcr", nullptr, "", "open vcr alias X", 266},
        OpenCase{"unknown type word", nullptr, "", "open % type gramophone alias X", 263},
        OpenCase{"unknown extension", "notes.txt", "x", "open % alias X", 263},
        OpenCase{"new without alias", nullptr, "", "open new type waveaudio", 299},
        OpenCase{"new without type", nullptr, "", "open new alias X", 287},
        OpenCase{"new sequencer", nullptr, "", "open new type sequencer alias X", 274},
        OpenCase{"two types", "a.wav", sound_files::ToneWave(50),
                 "open WaveAudio!% type sequencer alias X", 284},
        OpenCase{"buffer on a song", "a.mid", sound_files::NoteSong(1),
                 "open Sequencer!% alias X buffer 4", 274},
        OpenCase{"negative buffer", "a.wav", sound_files::ToneWave(50),
                 "open WaveAudio!% alias X buffer -1", 282},
        OpenCase{"window on a sound", "a.wav", sound_files::ToneWave(50),
                 "open % alias X wait parent 1234", 274},
        OpenCase{"all as a name", nullptr, "", "open waveaudio alias all", 279},
        OpenCase{"misspelt option", "a.wav", sound_files::ToneWave(50), "open % alias X wiat", 259},
        OpenCase{"quoted missing file", nullptr, "", "open \"%\" alias X", 275},
        OpenCase{"play of a missing file", nullptr, "", "play %", 275},
        OpenCase{"overlong path", nullptr, "", kOverlongOpen.c_str(), 282}));

TEST_F(ServiceTest, CommandsOnUnknownNamesAndAllAreRefused) {
    for (const char* command :
         {"play NOBODY", "pause NOBODY", "resume NOBODY", "stop NOBODY", "seek NOBODY to start",
          "set NOBODY time format ms", "status NOBODY mode", "record NOBODY", "close NOBODY"})
        EXPECT_EQ(Send(command).code, 263u) << command;
    for (const char* command :
         {"play all", "pause all", "status all mode", "seek all to start", "open all"})
        EXPECT_EQ(Send(command).code, 279u) << command;
}

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
