// mcishell end to end: command lines in on standard input, one result line out for each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/mci/shell_run.h"
#include "tests/support/cd_image.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/soundfont_file.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tone_analysis.h"

namespace {

std::string code(const std::string& line) {
    return line.substr(0, line.find('\t'));
}

TEST(McishellTest, AnswersEachLineWithItsCodeAndText) {
    test_support::TempFolder folder;
    const std::string wave = folder.Write("two words.wav", sound_files::ToneWave(300)).string();
    const std::string song = folder.Write("a song.mid", sound_files::NoteSong(1)).string();
    const mci_test::ShellRun run = mci_test::RunShell(folder, "open WaveAudio!" + wave +
                                                                  " alias WAVE wait\n"
                                                                  "open Sequencer!" +
                                                                  song +
                                                                  " alias MIDI wait\n"
                                                                  "status WAVE length\n"
                                                                  "play WAVE\n"
                                                                  "play MIDI\n"
                                                                  "sleep 100\n"
                                                                  "status WAVE mode\n"
                                                                  "\n"
                                                                  "status GHOST mode\n"
                                                                  "play WAVE from 0 wait\n"
                                                                  "status WAVE position\n"
                                                                  "open WaveAudio!" +
                                                                  wave + " alias WAVE\n");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 12u);
    EXPECT_EQ(run.lines[0], "0\t1") << "open replies with the device's number";
    EXPECT_EQ(run.lines[1], "0\t2");
    EXPECT_EQ(run.lines[2], "0\t300");
    EXPECT_EQ(run.lines[5], "0\t");
    EXPECT_EQ(run.lines[6], "0\tplaying");
    EXPECT_EQ(code(run.lines[7]), "267");
    EXPECT_EQ(code(run.lines[8]), "263");
    EXPECT_GT(run.lines[8].size(), 10u) << "failures carry their text";
    EXPECT_EQ(run.lines[10], "0\t300");
    EXPECT_EQ(code(run.lines[11]), "289");
}

TEST(McishellTest, RecordsAndSavesFromAScript) {
    test_support::TempFolder folder;
    const std::string wave = folder.Write("in.wav", sound_files::ToneWave(200)).string();
    const std::string saved = (folder.path() / "out file.wav").string();
    const mci_test::ShellRun run =
        mci_test::RunShell(folder, "open " + wave +
                                       " alias IN\n"
                                       "open new type waveaudio alias REC\n"
                                       "set REC samplespersec 22050 channels 1 bitspersample 16\n"
                                       "record REC overwrite\n"
                                       "play IN wait\n"
                                       "stop REC\n"
                                       "save REC " +
                                       saved + "\n");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 7u);
    const std::vector<std::string> expected = {"0\t1", "0\t2", "0\t", "0\t", "0\t", "0\t", "0\t"};
    EXPECT_EQ(run.lines, expected);
    EXPECT_GT(std::filesystem::file_size(saved), 44u + 22050 * 2 / 10);
}

// The take (8 bytes a frame) fits under the limit; the file it is saved as does not.
TEST(McishellTest, SavePastTheFileSizeLimitFailsAndKeepsTheOldFile) {
    test_support::TempFolder folder;
    const std::string old = sound_files::ToneWave(200);
    const std::string wave = folder.Write("in.wav", old).string();
    const mci_test::ShellRun run =
        mci_test::RunShell(folder,
                           "open " + wave + " alias IN\nopen new type waveaudio alias REC\n" +
                               "set REC samplespersec 384000 channels 8 bitspersample 32\n" +
                               "record REC\nplay IN from 0 wait\nstop REC\nsave REC " + wave +
                               "\n",
                           "", "-f 400");
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.lines.size(), 7u);
    EXPECT_EQ(code(run.lines[6]), "349");
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
        const mci_test::ShellRun run = mci_test::RunShell(
            folder,
            "open " + wave + " alias W\nplay W wait\nopen " + song +
                " alias S\nplay S\nsleep 300\nstatus S mode\nclose all\n",
            "", limit);
        EXPECT_EQ(run.exitCode, 0) << limit;
        EXPECT_EQ(run.lines.size(), 7u) << limit;
    }
}

TEST(McishellTest, PlaysTrackTwoOfADiscImage) {
    test_support::TempFolder folder;
    const auto image = sound_files::WriteCdImage(folder.path(), "disc", {{440, 1}, {660, 2}});
    const std::string saved = (folder.path() / "heard.wav").string();
    const mci_test::ShellRun run =
        mci_test::RunShell(folder,
                           "open d: type cdaudio alias cd wait\n"
                           "status cd number of tracks\n"
                           "set cd time format tmsf\n"
                           "open new type waveaudio alias rec\n"
                           "set rec samplespersec 22050 bitspersample 16\n"
                           "record rec\n"
                           "play cd from 2 wait\n"
                           "stop rec\n"
                           "status cd position\n"
                           "save rec " +
                               saved + "\n",
                           "--cd d='" + image.string() + "'");
    EXPECT_EQ(run.exitCode, 0);
    const std::vector<std::string> expected = {"0\t1", "0\t2", "0\t", "0\t2",           "0\t",
                                               "0\t",  "0\t",  "0\t", "0\t02:00:02:00", "0\t"};
    EXPECT_EQ(run.lines, expected);
    EXPECT_NEAR(sound_files::ToneHz(saved), 660, 20) << "track 2 was heard, not track 1";
}

TEST(McishellTest, NoSoundCardGivesNoLibraryChatter) {
    unsetenv("SDL_AUDIODRIVER");  // SDL then tries the machine's own outputs, ALSA among them
    test_support::TempFolder folder;
    const auto wave = folder.Write("beep.wav", sound_files::ToneWave(50));
    const mci_test::ShellRun run =
        mci_test::RunShell(folder, "play " + wave.string() + " wait\n", "--sink sdl 2>&1");
    for (const std::string& line : run.lines) EXPECT_FALSE(line.starts_with("ALSA lib")) << line;
}

TEST(McishellTest, EmptyInputEndsCleanly) {
    test_support::TempFolder folder;
    const mci_test::ShellRun run = mci_test::RunShell(folder, "");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.lines.empty());
}

// A chosen soundfont, the command line's before the settings', that cannot be used is named on
// standard error; the system's take over.
TEST(McishellTest, AChosenSoundfontThatCannotBeUsedIsNamed) {
    struct Case {
        const char* name;
        std::string option;
        std::string setting;
        std::string named;  // empty: nothing to say
    };
    test_support::TempFolder folder;
    const std::string valid = folder.Write("valid.sf2", sound_files::MakeSoundfont()).string();
    const std::string corrupt =
        folder.Write("corrupt.sf2", "RIFF" + std::string(400, 'x')).string();
    const std::string missing = (folder.path() / "missing.sf2").string();
    const std::string song = folder.Write("s.mid", sound_files::NoteSong(1)).string();
    const Case cases[] = {
        {"missing, on the command line", missing, "", missing},
        {"corrupt, on the command line", corrupt, "", corrupt},
        {"missing, in the settings", "", missing, missing},
        {"the command line before the settings", valid, missing, ""},
    };
    setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("config/Corvala/Corvala.conf", "[General]\nSoundFont=" + c.setting + "\n");
        const std::string option = c.option.empty() ? "" : "--soundfont '" + c.option + "'";
        const mci_test::ShellRun run =
            mci_test::RunShell(folder, "open sequencer!" + song + " alias S\n", option + " 2>&1");
        std::string all;
        for (const std::string& line : run.lines) all += line + "\n";
        EXPECT_EQ(all.find("cannot be used") != std::string::npos, !c.named.empty()) << all;
        const std::string expected = c.named.empty() ? "0\t1\n" : c.named;
        EXPECT_NE(all.find(expected), std::string::npos) << all;
    }
    unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
