// The commands people script, run through mcishell as one script: each line's code and reply.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/mci/shell_run.h"
#include "tests/support/cd_image.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

struct Line {
    std::string command;  // "%W" stands for the wave file's path
    int code;
    const char* reply;  // checked when the code is 0 and it is given
};

// The wave file: 1000 ms of 16-bit mono at 22,050 Hz; the disc is described where its rows begin.
const std::vector<Line> kScript = {
    {"open %W alias w", 0, "1"},
    {"open d: type cdaudio alias cd", 0, "2"},
    {"open new type waveaudio alias rec", 0, "3"},
    {"open waveaudio alias bare", 0, "4"},
    // capability
    {"capability w can eject", 0, "false"},
    {"capability w device type", 0, "waveaudio"},
    {"capability cd can eject", 0, "true"},
    {"capability sequencer device type", 0, "sequencer"},
    {"capability w can play can record", 284, nullptr},
    {"capability w", 273, nullptr},
    // info
    {"info w file", 0, "%W"},
    {"info rec file", 0, ""},
    {"info cd file", 274, nullptr},
    // sysinfo
    {"sysinfo all quantity", 0, "3"},
    {"sysinfo all quantity open", 0, "4"},
    {"sysinfo all name 1", 0, "cdaudio"},
    {"sysinfo all name 4", 282, nullptr},
    {"sysinfo all name 2 open", 0, "cd"},
    {"sysinfo waveaudio quantity", 0, "1"},
    {"sysinfo waveaudio quantity open", 0, "3"},
    {"sysinfo waveaudio name 3 open", 0, "bare"},
    {"sysinfo w installname", 0, "waveaudio"},
    {"sysinfo all installname", 279, nullptr},
    {"sysinfo all quantity installname", 284, nullptr},
    {"sysinfo gramophone quantity", 263, nullptr},
    // status, by words and by number
    {"status w ready", 0, "true"},
    // a device opened by its type alone has nothing to play
    {"status bare ready", 0, "false"},
    {"status bare mode", 0, "not ready"},
    {"play bare", 302, nullptr},
    {"stop bare", 0, ""},
    // the shell's own: a pause, and an empty line
    {"sleep 100", 0, ""},
    {"", 267, nullptr},
    {"status w samplespersec", 0, "22050"},
    {"status w bytespersec", 0, "44100"},
    {"status w alignment", 0, "2"},
    {"status w format tag", 0, "pcm"},
    {"status w 4", 0, "stopped"},
    {"status w 1", 0, "1000"},
    {"status w 4 mode", 295, nullptr},
    {"status w mode length", 284, nullptr},
    {"status w 99", 259, nullptr},
    // time formats of a wave file
    {"set w time format samples", 0, ""},
    {"status w time format", 0, "samples"},
    {"status w length", 0, "22050"},
    {"seek w to 11025", 0, ""},
    {"status w position", 0, "11025"},
    {"set w time format bytes", 0, ""},
    {"status w position", 0, "22050"},
    {"seek w to 44102", 282, nullptr},
    {"set w time format smpte", 290, nullptr},
    {"set w time format ms", 0, ""},
    // cue, and the window commands
    {"cue w output to 250", 0, ""},
    {"status w mode", 0, "paused"},
    {"status w position", 0, "250"},
    {"resume w", 0, ""},
    {"status w mode", 0, "playing"},
    {"stop w", 0, ""},
    {"cue w input", 274, nullptr},
    {"cue w input output", 284, nullptr},
    {"where w destination", 346, nullptr},
    {"set w door open", 274, nullptr},
    {"set w channels 2", 274, nullptr},
    {"record w", 274, nullptr},
    {"save w %W.copy", 274, nullptr},
    {"put w window at 0 0 10 10", 346, nullptr},
    // a recorder's format
    {"set rec format tag pcm", 0, ""},
    {"set rec format tag 3", 282, nullptr},
    {"set rec samplespersec 8000 bitspersample 16 channels 2", 0, ""},
    {"status rec format tag", 0, "pcm"},
    {"status rec bytespersec", 0, "32000"},
    {"status rec alignment", 0, "4"},
    {"set rec time format bytes", 0, ""},
    {"status rec time format", 0, "bytes"},
    {"cue rec input", 0, ""},
    {"status rec mode", 0, "paused"},
    // recording into the take, in bytes of 8,000 Hz 16-bit stereo (32,000 a second)
    {"record rec to 6400 wait", 0, ""},
    {"status rec mode", 0, "stopped"},
    {"status rec length", 0, "6400"},
    {"status rec position", 0, "6400"},
    {"seek rec to 3200", 0, ""},
    {"record rec to 4800 overwrite wait", 0, ""},
    {"status rec position", 0, "4800"},
    {"status rec length", 0, "6400"},
    {"record rec from 0 to 1600 wait", 0, ""},
    {"status rec length", 0, "8000"},
    {"delete rec from 1600 to 4800", 0, ""},
    {"status rec length", 0, "4800"},
    {"status rec position", 0, "1600"},
    {"delete rec to 3200", 0, ""},
    {"status rec length", 0, "3200"},
    {"status rec level", 0, "0"},
    {"seek rec to 6400", 282, nullptr},
    {"delete rec from 0 to 6400", 282, nullptr},
    {"record rec from 4000", 282, nullptr},
    {"record rec from 3200 to 0", 282, nullptr},
    {"record rec insert overwrite", 284, nullptr},
    {"seek rec to end", 0, ""},
    {"status rec position", 0, "3200"},
    // the disc: track 1 at sectors 0-149 (2 s), track 2 at 150-374 (3 s), after 2 s of lead-in
    {"status cd number of tracks", 0, "2"},
    {"status cd media present", 0, "true"},
    {"status cd mode", 0, "stopped"},
    {"status cd time format", 0, "milliseconds"},
    {"status cd length", 0, "5000"},
    {"status cd length track 2", 0, "3000"},
    {"status cd length track 3", 282, nullptr},
    {"status cd position track 2", 0, "4000"},
    {"status cd start position", 0, "2000"},
    {"status cd track 1", 284, nullptr},
    {"seek cd to 1999", 282, nullptr},
    {"seek cd to 4013", 0, ""},  // a sector lasts 13.3 ms
    {"status cd position", 0, "4000"},
    {"status cd current track", 0, "2"},
    {"seek cd to 4014", 0, ""},
    {"status cd position", 0, "4013"},
    {"seek cd to 7000", 0, ""},
    {"seek cd to 7014", 282, nullptr},
    {"set cd time format tmsf", 0, ""},
    {"status cd time format", 0, "tmsf"},
    {"status cd length", 0, "00:05:00"},
    {"status cd length track 1", 0, "00:02:00"},
    {"seek cd to 1:0:1:30", 0, ""},
    {"status cd position", 0, "01:00:01:30"},
    {"status cd current track", 0, "1"},
    {"seek cd to 2:0:2:74", 0, ""},
    {"status cd position", 0, "02:00:02:74"},
    {"seek cd to 2:0:3:1", 282, nullptr},
    {"seek cd to 3", 282, nullptr},
    {"seek cd to 0", 282, nullptr},
    {"seek cd to end", 0, ""},
    {"status cd position", 0, "02:00:03:00"},
    {"seek cd to 2:0:1:0", 0, ""},
    {"status cd position", 0, "02:00:01:00"},
    {"status cd 8", 0, "2"},
    {"status cd 3", 0, "2"},
    {"play cd from 3:0:0:0", 282, nullptr},
    {"seek cd to 2:256", 270, nullptr},
    {"seek cd to 1:2:3:4:5", 270, nullptr},
    {"set cd time format msf", 0, ""},
    {"status cd position track 2", 0, "00:04:00"},
    {"seek cd to 0:4:1", 0, ""},
    {"status cd position", 0, "00:04:01"},
    {"seek cd to start", 0, ""},
    {"status cd position", 0, "00:02:00"},
    {"play cd from 0:1:0", 282, nullptr},
    {"set cd time format bytes", 290, nullptr},
    {"set cd door open", 274, nullptr},
    {"pause cd", 302, nullptr},
    // a file named where a device belongs is opened for the command
    {"status %W length", 0, "1000"},
    {"sysinfo all quantity open", 0, "4"},
    {"play %W", 0, ""},
    {"sysinfo all quantity open", 0, "5"},
    {"close %W", 0, ""},
    {"sysinfo all quantity open", 0, "4"},
    {"close all", 0, ""},
    {"sysinfo all quantity open", 0, "0"},
};

std::string withPath(std::string text, const std::string& path) {
    if (const auto mark = text.find("%W"); mark != std::string::npos) text.replace(mark, 2, path);
    return text;
}

TEST(ScriptCommands, AnswerAsMciDoes) {
    test_support::TempFolder folder;
    const std::string wave = folder.Write("tone.wav", sound_files::ToneWave(1000)).string();
    const auto image = sound_files::WriteCdImage(folder.path(), "disc", {{440, 2}, {880, 3}});
    std::string script;
    for (const Line& line : kScript) script += withPath(line.command, wave) + "\n";
    const mci_test::ShellRun run =
        mci_test::RunShell(folder, script, "--cd D='" + image.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), kScript.size());
    for (std::size_t i = 0; i < kScript.size(); ++i) {
        const Line& line = kScript[i];
        const std::string& got = run.lines[i];
        EXPECT_EQ(got.substr(0, got.find('\t')), std::to_string(line.code)) << line.command;
        if (line.code != 0) {
            EXPECT_GT(got.size(), 10u) << line.command << ": a failure carries its text";
        } else if (line.reply) {
            EXPECT_EQ(got, "0\t" + withPath(line.reply, wave)) << line.command;
        }
    }
}

}  // namespace
