// SIGTERM, SIGINT and SIGHUP end both programs the way their own exit does: promptly and with
// status 0, never killed on the spot.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <iterator>

#include "tests/process/child_process.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using test_support::ChildProcess;

const std::vector<int> kTerminationSignals = {SIGTERM, SIGINT, SIGHUP};

class TerminationTest : public testing::TestWithParam<int> {
  protected:
    // A home of its own, so the program's settings never touch the user's.
    std::map<std::string, std::string> Environment() const {
        return {{"QT_QPA_PLATFORM", "offscreen"},
                {"SDL_AUDIODRIVER", "dummy"},
                {"HOME", home_.path().string()},
                {"XDG_CONFIG_HOME", (home_.path() / ".config").string()},
                {"XDG_RUNTIME_DIR", home_.path().string()}};
    }

    test_support::TempFolder home_;
};

TEST_P(TerminationTest, CorvalaEndsAsItsExitCommandDoes) {
    ChildProcess corvala({CORVALA_PATH}, Environment());
    ASSERT_TRUE(
        test_support::Eventually([&] { return corvala.CatchesSignals(kTerminationSignals); }, 20s));
    kill(corvala.Pid(), GetParam());
    EXPECT_EQ(corvala.WaitForExit(1s), 0);
    // Its shutdown ran: the settings it saves on the way out are there.
    std::ifstream settings(home_.path() / ".config" / "Corvala" / "Corvala.conf");
    const std::string saved{std::istreambuf_iterator<char>(settings), {}};
    EXPECT_THAT(saved, testing::HasSubstr("[Settings]"));
    EXPECT_THAT(saved, testing::HasSubstr("AlwaysOnTop=True"));
}

TEST_P(TerminationTest, McishellClosesItsDevicesAndEnds) {
    ChildProcess shell({MCISHELL_PATH, "--sink", "null"}, Environment());
    shell.WriteLine("open new type waveaudio alias R");
    const auto opened = shell.ReadLine(20s);
    ASSERT_TRUE(opened && opened->starts_with("0\t")) << opened.value_or("no answer");
    ASSERT_TRUE(shell.CatchesSignals(kTerminationSignals));
    kill(shell.Pid(), GetParam());
    EXPECT_EQ(shell.WaitForExit(1s), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest, testing::ValuesIn(kTerminationSignals),
                         [](const auto& info) { return std::string(sigabbrev_np(info.param)); });

}  // namespace
