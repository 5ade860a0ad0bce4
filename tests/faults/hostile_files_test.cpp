// The real program, on the real media service and the silent output, double-clicking its way
// through a folder of hostile files: each plays or is refused with a message, in bounded
// time, and the window is still there to take the next one.
#include "tests/faults/hostile_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

using namespace std::chrono_literals;
using faults::Outcome;

constexpr auto kPatience = 5s;  // far more than any open may take

class HostileFolder : public faults::RealWindowTest {
  protected:
    HostileFolder() {
        for (const auto& file : faults::HostileFiles())
            folder.Write("hostile/" + file.name, file.bytes);
        Start();
    }

    ~HostileFolder() override { form->UnloadForm(); }
};

TEST_F(HostileFolder, EveryFilePlaysOrIsRefusedInBoundedTime) {
    ShowFolder("hostile");
    for (const auto& file : faults::HostileFiles()) {
        SCOPED_TRACE(file.name);
        const Result result = DoubleClick(file.name);
        EXPECT_LT(result.took, kPatience);
        switch (file.outcome) {
            case Outcome::Plays:
                EXPECT_TRUE(result.playing && !result.boxShown);
                break;
            case Outcome::Refused:
                EXPECT_TRUE(!result.playing && result.boxShown);
                break;
            case Outcome::PlaysOrRefused:
                EXPECT_NE(result.playing, result.boxShown);
                break;
        }
    }
    for (const auto& box : boxes.boxes) EXPECT_EQ(box.title, "  MCI ERROR") << box.prompt;
}

TEST_F(HostileFolder, AFolderNamedLikeASongIsNoSong) {
    folder.MakeFolder("odd/song.mid");
    folder.Write("odd/real.mid", sound_files::NoteSong(1));
    ShowFolder("odd");
    EXPECT_EQ(Listed(form->MIDIs), std::vector<std::string>{"real.mid"});
}

TEST_F(HostileFolder, APipeNamedLikeASoundHangsNeitherTheListNorTheService) {
    folder.MakeFolder("pipe");
    const auto pipe = folder.path() / "pipe" / "x.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ShowFolder("pipe");
    EXPECT_TRUE(Listed(form->WAVEs).empty()) << "only files that can hold a sound are listed";
    const auto start = Clock::now();
    EXPECT_NE(mciSendStringA(("open WaveAudio!" + pipe.string() + " alias X wait").c_str(), nullptr,
                             0, 0),
              0u);
    EXPECT_LT(Clock::now() - start, kPatience);
}

TEST_F(HostileFolder, AFileGoneOrReplacedAfterListingIsHandled) {
    folder.Write("changing/gone.wav", sound_files::ToneWave(200));
    folder.Write("changing/swapped.mid", sound_files::NoteSong(1));
    ShowFolder("changing");
    std::filesystem::remove(folder.path() / "changing" / "gone.wav");
    folder.Write("changing/swapped.mid", "not a song any more");
    EXPECT_FALSE(DoubleClick("gone.wav").playing);
    const Result swapped = DoubleClick("swapped.mid");
    EXPECT_FALSE(swapped.playing);
    EXPECT_TRUE(swapped.boxShown);
    EXPECT_TRUE(form->Loaded() == vbTrue);
}

TEST_F(HostileFolder, TenThousandFilesListPromptlyAndTheLastOnePlays) {
    for (int i = 0; i < 10'000; ++i) folder.Write("crowd/sound " + std::to_string(i) + ".wav", "");
    folder.Write("crowd/zz last.wav", sound_files::ToneWave(200));
    const auto start = Clock::now();
    ShowFolder("crowd");
    EXPECT_LT(Clock::now() - start, kPatience);
    EXPECT_EQ(form->WAVEs.ListCount(), 10'001);
    EXPECT_TRUE(DoubleClick("zz last.wav").playing);
}

}  // namespace
