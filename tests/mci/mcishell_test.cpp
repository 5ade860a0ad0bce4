// mcishell end to end: the commands people script, and the process itself under limits.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cd_image.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/soundfont_file.h"
#include "tests/support/temp_folder.h"

namespace {

struct ShellRun {
    int exitCode = -1;
    std::vector<std::string> lines;
};

// Runs mcishell on the null sink with `input` as its standard input; `options` are added to its
// command line as they stand, and `limits` are the shell's ulimit options it runs under.
ShellRun RunShell(const test_support::TempFolder& folder, const std::string& input,
                  const std::string& options = "", const std::string& limits = "") {
    const auto script = folder.Write("input.txt", input);
    const auto output = folder.path() / "output.txt";
    const std::string command = (limits.empty() ? "" : "ulimit " + limits + "; ") + MCISHELL_PATH +
                                " --sink null > '" + output.string() + "' " + options + " < '" +
                                script.string() + "'";
    ShellRun run{std::system(command.c_str()), {}};
    std::istringstream stream(folder.Read("output.txt"));
    for (std::string line; std::getline(stream, line);) run.lines.push_back(line);
    return run;
}

struct Line {
    std::string command;  // "%W" stands for the wave file's path
    int code;
    const char* reply;  // checked when the code is 0 and it is given
};

// The wave file: 1000 ms of 16-bit mono at 22,050 Hz; the disc is described where its rows begin.
const std::vector<Line> kScript = {
    {"open %W alias w", 0, "1"},
    {"open cdaudio alias cd", 0, "2"},  // the first drive, D
    {"open new type waveaudio alias rec", 0, "3"},
    {"open waveaudio alias bare", 0, "4"},
    {"open e: type cdaudio alias x", 296, nullptr},  // no disc image
    {"open f: type cdaudio alias x", 262, nullptr},  // image gone
    {"open c:\\music type cdaudio alias x", 262, nullptr},
    {"capability w can eject", 0, "false"},
    {"capability cd can eject", 0, "true"},
    {"capability sequencer device type", 0, "sequencer"},
    {"capability w can play can record", 284, nullptr},
    {"capability w", 273, nullptr},
    {"info w file", 0, "%W"},
    {"info rec file", 0, ""},
    {"info cd file", 274, nullptr},
    {"sysinfo all quantity", 0, "3"},
    {"sysinfo all name 1", 0, "cdaudio"},
    {"sysinfo all name 4", 282, nullptr},
    {"sysinfo waveaudio name 3 open", 0, "bare"},
    {"sysinfo w installname", 0, "waveaudio"},
    {"sysinfo all installname", 279, nullptr},
    {"sysinfo gramophone quantity", 263, nullptr},
    {"status w ready", 0, "true"},
    // a device opened by its type alone has nothing to play
    {"status bare ready", 0, "false"},
    {"status bare mode", 0, "not ready"},
    {"play bare", 302, nullptr},
    // the shell's own: a pause, and an empty line
    {"sleep 100", 0, ""},
    {"", 267, nullptr},
    {"status w samplespersec", 0, "22050"},
    {"status w 4", 0, "stopped"},
    {"status w 4 mode", 295, nullptr},
    {"status w mode length", 284, nullptr},
    {"status w 99", 259, nullptr},
    {"status w number of tracks", 0, "1"},
    {"status w current track", 0, "1"},
    {"status w media present", 0, "true"},
    {"status w start position", 0, "0"},
    {"status w time format", 0, "milliseconds"},
    {"set w time format samples", 0, ""},
    {"status w time format", 0, "samples"},
    {"status w length", 0, "22050"},
    {"seek w to 11025", 0, ""},
    {"status w position", 0, "11025"},
    {"set w time format bytes", 0, ""},
    {"status w time format", 0, "bytes"},
    {"status w position", 0, "22050"},
    {"seek w to 44102", 282, nullptr},
    {"set w time format smpte", 290, nullptr},
    {"set w time format ms", 0, ""},
    {"seek w to end wait", 0, ""},
    {"status w position", 0, "1000"},
    {"seek w to 1001", 282, nullptr},
    {"seek w to -1 wait", 282, nullptr},
    {"play w from 1100", 282, nullptr},
    {"play w from 800 to 400", 282, nullptr},
    {"play w fullscreen", 274, nullptr},
    {"status w mode", 0, "stopped"},
    {"cue w output to 250", 0, ""},
    {"status w mode", 0, "paused"},
    {"status w position", 0, "250"},
    {"resume w", 0, ""},
    {"status w mode", 0, "playing"},
    {"stop w", 0, ""},
    {"cue w input", 274, nullptr},
    {"where w destination", 346, nullptr},
    {"set w channels 2", 274, nullptr},
    {"save w %W.copy", 274, nullptr},
    {"set rec format tag pcm", 0, ""},
    {"set rec format tag 3", 282, nullptr},
    {"set rec channels 9", 282, nullptr},
    {"set rec bitspersample 12", 282, nullptr},
    {"set rec samplespersec 10", 282, nullptr},
    {"set rec channels 2 bitspersample 16 alignment 2", 282, nullptr},
    {"play rec", 274, nullptr},
    {"set rec samplespersec 8000 bitspersample 16 channels 2", 0, ""},
    {"status rec format tag", 0, "pcm"},
    {"status rec bytespersec", 0, "32000"},
    {"set rec time format bytes", 0, ""},
    {"cue rec input", 0, ""},
    {"status rec mode", 0, "paused"},
    // recording into the take, in bytes of 8,000 Hz 16-bit stereo (32,000 a second)
    {"record rec to 6400 wait", 0, ""},
    {"status rec position", 0, "6400"},
    {"set rec channels 1", 302, nullptr},  // the format is fixed once recorded
    {"delete rec from 1600 to 4800", 0, ""},
    {"status rec length", 0, "3200"},
    {"seek rec to 6400", 282, nullptr},
    {"delete rec from 0 to 6400", 282, nullptr},
    {"record rec from 4000", 282, nullptr},
    {"record rec from 3200 to 0", 282, nullptr},
    {"record rec insert overwrite", 284, nullptr},
    {"seek rec to end", 0, ""},
    {"status rec position", 0, "3200"},
    {"resume rec", 302, nullptr},  // neither recording nor paused
    {"record rec", 0, ""},
    {"pause rec", 0, ""},
    {"status rec mode", 0, "paused"},
    {"resume rec", 0, ""},
    {"status rec mode", 0, "recording"},
    {"save rec %W.early", 302, nullptr},  // not while it records
    {"stop rec", 0, ""},
    // the disc: track 1 at sectors 0-149 (2 s), track 2 at 150-374 (3 s), after 2 s of lead-in
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
    {"status cd length", 0, "00:05:00"},
    {"seek cd to 2:0:2:74", 0, ""},
    {"status cd position", 0, "02:00:02:74"},
    {"seek cd to 2:0:3:1", 282, nullptr},
    {"seek cd to 3", 282, nullptr},
    {"seek cd to 0", 282, nullptr},
    {"seek cd to end", 0, ""},
    {"status cd position", 0, "02:00:03:00"},
    {"seek cd to 2:256", 270, nullptr},
    {"set cd time format msf", 0, ""},
    {"status cd position track 2", 0, "00:04:00"},
    {"seek cd to 0:4:1", 0, ""},
    {"status cd position", 0, "00:04:01"},
    {"seek cd to start", 0, ""},
    {"status cd position", 0, "00:02:00"},
    {"play cd from 0:1:0", 282, nullptr},
    {"set cd door open", 274, nullptr},
    {"pause cd", 302, nullptr},
    // a file named where a device belongs is opened for the command
    {"status %W length", 0, "1000"},
    {"play %W", 0, ""},
    {"sysinfo all quantity open", 0, "5"},
    {"close %W", 0, ""},
    {"sysinfo all quantity open", 0, "4"},
    // left playing: the shell closes every device at the end of its input
    {"play cd", 0, ""},
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
    const std::string notADisc = folder.Write("not a disc.cue", "TRACK nonsense").string();
    const ShellRun run = RunShell(folder, script,
                                  "--cd D='" + image.string() + "' --cd E='" + notADisc +
                                      "' --cd F='" + (folder.path() / "gone.cue").string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), kScript.size());
    const ShellRun empty = RunShell(folder, "");
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.lines.empty());
    const ShellRun noSuchSink = RunShell(folder, "", "--sink nonsense 2>&1");
    EXPECT_NE(noSuchSink.exitCode, 0);
    EXPECT_TRUE(!noSuchSink.lines.empty() &&
                noSuchSink.lines[0].find("nonsense") != std::string::npos);
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

// The take (8 bytes a frame) fits under the limit; the file it is saved as does not.
TEST(McishellTest, SavePastTheFileSizeLimitFailsAndKeepsTheOldFile) {
    test_support::TempFolder folder;
    const std::string old = sound_files::ToneWave(200);
    const std::string wave = folder.Write("in.wav", old).string();
    const ShellRun run =
        RunShell(folder,
                 "open " + wave + " alias IN\nopen new type waveaudio alias REC\n" +
                     "set REC samplespersec 384000 channels 8 bitspersample 32\n" +
                     "record REC\nplay IN from 0 wait\nstop REC\nsave REC " + wave + "\n",
                 "", "-f 400");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 7u);
    EXPECT_TRUE(run.lines[6].starts_with("349\t")) << run.lines[6];
    EXPECT_TRUE(folder.Read("in.wav") == old) << "the old file is left whole";
}

// Whatever command meets the end of the address space fails; the program answers every line.
TEST(McishellTest, RunningOutOfMemoryFailsCommandsNotTheProgram) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers reserve more address space than any limit tried here";
#endif
    test_support::TempFolder folder;
    const std::string wave = folder.Write("in.wav", sound_files::ToneWave(300)).string();
    const std::string song = folder.Write("gm.mid", sound_files::MakeGmSong(2, 0)).string();
    for (const char* limit : {"-v 100000", "-v 300000", "-v 600000"}) {
        const ShellRun run = RunShell(folder,
                                      "open " + wave + " alias W\nplay W wait\nopen " + song +
                                          " alias S\nplay S\nsleep 300\nstatus S mode\nclose all\n",
                                      "", limit);
        EXPECT_EQ(run.exitCode, 0) << limit;
        EXPECT_EQ(run.lines.size(), 7u) << limit;
    }
}

TEST(McishellTest, NoSoundCardGivesNoLibraryChatter) {
    unsetenv("SDL_AUDIODRIVER");  // SDL then tries the machine's own outputs, ALSA among them
    test_support::TempFolder folder;
    const auto wave = folder.Write("beep.wav", sound_files::ToneWave(50));
    const ShellRun run = RunShell(folder, "play " + wave.string() + " wait\n", "--sink sdl 2>&1");
    for (const std::string& line : run.lines) EXPECT_FALSE(line.starts_with("ALSA lib")) << line;
}

// A chosen soundfont, the command line's before the settings', that cannot be used is named on
// standard error; the system's take over.
TEST(McishellTest, AChosenSoundfontThatCannotBeUsedIsNamed) {
    test_support::TempFolder folder;
    const std::string valid = folder.Write("valid.sf2", sound_files::MakeSoundfont()).string();
    const std::string corrupt =
        folder.Write("corrupt.sf2", "RIFF" + std::string(400, 'x')).string();
    const std::string missing = (folder.path() / "missing.sf2").string();
    const std::string song = folder.Write("s.mid", sound_files::NoteSong(1)).string();
    // The command line's soundfont, the settings', and the one named (none: all is well).
    const std::string rows[][3] = {{missing, "", missing},
                                   {corrupt, "", corrupt},
                                   {"", missing, missing},
                                   {valid, missing, ""}};
    setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
    for (const auto& [chosen, setting, named] : rows) {
        SCOPED_TRACE(chosen + " | " + setting);
        folder.Write("config/Corvala/Corvala.conf", "[General]\nSoundFont=" + setting + "\n");
        const std::string option = chosen.empty() ? "" : "--soundfont '" + chosen + "'";
        const ShellRun run =
            RunShell(folder, "open sequencer!" + song + " alias S\n", option + " 2>&1");
        std::string all;
        for (const std::string& line : run.lines) all += line + "\n";
        EXPECT_EQ(all.find("cannot be used") != std::string::npos, !named.empty()) << all;
        const std::string expected = named.empty() ? "0\t1\n" : named;
        EXPECT_NE(all.find(expected), std::string::npos) << all;
    }
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
