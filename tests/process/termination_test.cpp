// SIGTERM, SIGINT and SIGHUP end both programs the way their own exit does, with status 0, never
// killed on the spot; Corvala first writes back every setting as it was left.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>

#include "platform/drives.h"
#include "platform/settings.h"
#include "platform/vb_types.h"
#include "tests/process/child_process.h"
#include "tests/support/eventually.h"
#include "tests/support/settings_folder.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;
using test_support::Headless;

const std::vector<int> kTerminationSignals = {SIGTERM, SIGINT, SIGHUP};

class EachSignal : public testing::TestWithParam<int> {
  protected:
    test_support::TempFolder home;
    test_support::ScopedSettingsFolder settings{home.path() / ".config"};
};

TEST_P(EachSignal, CorvalaEndsAsItsExitCommandDoesWritingBackEverySettingAsItWasLeft) {
    const std::string music = drives::ToWindows(home.MakeFolder("music/older").parent_path());
    const std::map<int, std::map<std::string, std::string>> leftAs = {
        {SIGTERM,
         {{"Directory", music + "\\older"},
          {"Volume", "0"},
          {"AlwaysOnTop", "False"},
          {"ShowMin", "True"}}},
        {SIGINT, {{"Directory", music}, {"Volume", "32767"}, {"ShowMin", "False"}}},
        {SIGHUP, {}}};
    SaveSetting("Corvala", "Settings", "Drive", music.substr(0, 1));
    for (const auto& [key, value] : leftAs.at(GetParam()))
        SaveSetting("Corvala", "Settings", key, value);
    // An ALSA without cards, so the slider's level stays inside the program.
    std::ofstream(home.path() / "asound.conf") << "";
    ChildProcess corvala(Headless(
        home.path(), {"ALSA_CONFIG_PATH=" + (home.path() / "asound.conf").string(), CORVALA_PATH}));
    ASSERT_TRUE(
        test_support::Eventually([&] { return corvala.CatchesSignals(kTerminationSignals); }, 20s));
    kill(corvala.Pid(), GetParam());
    EXPECT_EQ(corvala.WaitForExit(20s), 0);  // a bound that only catches a hang
    const auto stored = [](const std::string& key) {
        return GetSetting("Corvala", "Settings", key, "<missing>");
    };
    EXPECT_EQ(UCase(stored("Drive").substr(0, 1)), music.substr(0, 1));
    auto expected = leftAs.at(GetParam());
    expected.try_emplace("AlwaysOnTop", "True");  // the default, there only if the shutdown saved
    for (const auto& [key, value] : expected) EXPECT_EQ(stored(key), value) << key;
}

// A file given on the command line that cannot be opened puts a box up before the main loop runs.
TEST_P(EachSignal, CorvalaEndsWhileABoxOfItsStartIsUp) {
    const auto broken = home.Write("broken.mid", "MThd");
    ChildProcess corvala(Headless(home.path(), {CORVALA_PATH, broken.string()}));
    ASSERT_TRUE(
        test_support::Eventually([&] { return corvala.CatchesSignals(kTerminationSignals); }, 20s));
    kill(corvala.Pid(), GetParam());
    EXPECT_EQ(corvala.WaitForExit(20s), 0);
}

TEST_P(EachSignal, McishellClosesItsDevicesAndEnds) {
    ChildProcess shell(Headless(home.path(), {MCISHELL_PATH, "--sink", "null"}));
    shell.WriteLine("open new type waveaudio alias R");
    const auto opened = shell.ReadLine(20s);
    ASSERT_TRUE(opened && opened->starts_with("0\t")) << opened.value_or("no answer");
    ASSERT_TRUE(shell.CatchesSignals(kTerminationSignals));
    kill(shell.Pid(), GetParam());
    EXPECT_EQ(shell.WaitForExit(20s), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, EachSignal, testing::ValuesIn(kTerminationSignals),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
