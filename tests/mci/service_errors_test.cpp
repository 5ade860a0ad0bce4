// What the service refuses, each with its number and a text.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "platform/audio/midi_synth.h"
#include "platform/drives.h"
#include "tests/mci/service_fixture.h"
#include "tests/support/eventually.h"
#include "tests/support/sound_files.h"

namespace mci_test {
namespace {

struct OpenCase {
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
    SCOPED_TRACE(row.command);
    const Reply reply = Send(withPath(row.command, path));
    EXPECT_EQ(reply.code, row.code);
    EXPECT_FALSE(reply.text.empty());
    if (row.code == 275) {
        EXPECT_NE(reply.text.find(path), std::string::npos) << "names the file";
    }
    EXPECT_EQ(Send("status X mode").code, row.code == 0 ? 0u : 263u) << "open or not";
}

const std::string kTone = sound_files::ToneWave(50);
// Longer than any path Linux opens.
const std::string kOverlongOpen =
    "open WaveAudio!C:\\" + std::string(drives::kLongestPath, 'x') + ".wav alias X";

INSTANTIATE_TEST_SUITE_P(
    Service, Opens,
    testing::Values(
        OpenCase{"song.RMI", sound_files::NoteSong(1), "open % alias X", 0},
        OpenCase{"notes.txt", kTone, "open % type waveaudio alias X", 0},
        OpenCase{"quote\"d.wav", kTone, "open WaveAudio!% alias X wait", 0},
        // Words of options inside a path do not end it when the rest would not read as options.
        OpenCase{"A WAIT B ALIAS Y.wav", kTone, "  OPEN\tWaveAudio!%  ALIAS X  ", 0},
        OpenCase{"x alias y.wav", kTone, "open \"%\" type waveaudio alias X wait", 0},
        OpenCase{"song.wav", sound_files::NoteSong(2), "open % alias X", 296},
        OpenCase{"folder.wav/", "", "open % alias X", 348},
        OpenCase{"clip.avi", "x", "open avivideo!% alias X", 266},
        OpenCase{nullptr, "", "open % type gramophone alias X", 263},
        OpenCase{"notes.txt", "x", "open % alias X", 263},
        OpenCase{nullptr, "", "open new type waveaudio", 299},
        OpenCase{nullptr, "", "open new alias X", 287},
        OpenCase{nullptr, "", "open new type sequencer alias X", 274},
        OpenCase{"a.wav", kTone, "open WaveAudio!% type sequencer alias X", 284},
        OpenCase{"a.mid", sound_files::NoteSong(1), "open Sequencer!% alias X buffer 4", 274},
        OpenCase{"a.wav", kTone, "open WaveAudio!% alias X buffer -1", 282},
        OpenCase{nullptr, "", "open waveaudio alias all", 279},
        OpenCase{"a.wav", kTone, "open % alias X wiat", 259},
        OpenCase{nullptr, "", "open \"%\" alias X", 275},  // the missing file is named
        OpenCase{nullptr, "", "play %", 275},
        OpenCase{nullptr, "", kOverlongOpen.c_str(), 282}));  // refused before any lookup

TEST_F(ServiceTest, CommandsOnUnknownNamesAndAllAreRefused) {
    for (const char* command :
         {"play NOBODY", "pause NOBODY", "resume NOBODY", "stop NOBODY", "seek NOBODY to start",
          "set NOBODY time format ms", "status NOBODY mode", "record NOBODY", "close NOBODY"})
        EXPECT_EQ(Send(command).code, 263u) << command;
    for (const char* command :
         {"play all", "pause all", "status all mode", "seek all to start", "open all"})
        EXPECT_EQ(Send(command).code, 279u) << command;
}

// Each refused path says what is wrong with it; pipes and devices are left as they were.
TEST_F(ServiceTest, RecorderSaveRefusesWhatIsNotARegularFileOrANewName) {
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

TEST_F(ServiceTest, OpensStopAtALimitAndCloseAllFreesThem) {
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
TEST_F(ServiceTest, APlayPastWhatTheMixSoundsIsRefused) {
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

// A song sounds on each synthesiser block at once (the last once crashed FluidSynth); one more
// could only be silent while "playing", so it is refused as the channels taken (not as a missing
// soundfont) until one closes.
TEST_F(ServiceTest, ASongPastTheSynthesisersLastBlockIsRefusedUntilOneCloses) {
    const std::string song = Write("song.mid", sound_files::NoteSong(2));
    std::string last;
    for (int i = 0; i < audio::MidiSynth::kBlocks; ++i) {
        last = "S" + std::to_string(i);
        ASSERT_EQ(Send("open sequencer!" + song + " alias " + last).code, 0u) << i;
        ASSERT_EQ(Send("play " + last).code, 0u) << i;
    }
    EXPECT_TRUE(
        test_support::Eventually([&] { return NumberOf("status " + last + " position") > 0; }));
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
