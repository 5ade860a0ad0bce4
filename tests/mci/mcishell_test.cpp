// mcishell end to end where the process itself is tried: limits it runs under, what it says on
// standard error, and empty input. Its answers to commands are in script_commands_test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/mci/shell_run.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/soundfont_file.h"
#include "tests/support/temp_folder.h"

namespace {

std::string code(const std::string& line) {
    return line.substr(0, line.find('\t'));
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
                               "record REC\nplay IN from 0 wait\nstop REC\nsave REC " + wave + "\n",
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
        const mci_test::ShellRun run =
            mci_test::RunShell(folder,
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
