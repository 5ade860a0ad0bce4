// The real program, on the real media service and the silent output, double-clicking its way
// through a folder of hostile files: each plays or is refused with a message, and the window
// is still there to take the next one.
#include "tests/faults/hostile_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

using faults::Outcome;

class HostileFolder : public faults::RealWindowTest {
  protected:
    HostileFolder() {
        for (const auto& file : faults::HostileFiles())
            folder.Write("hostile/" + file.name, file.bytes);
        Start();
    }

    ~HostileFolder() override { form->UnloadForm(); }
};

TEST_F(HostileFolder, EveryFilePlaysOrIsRefused) {
    ShowFolder("hostile");
    for (const auto& file : faults::HostileFiles()) {
        SCOPED_TRACE(file.name);
        const Result result = DoubleClick(file.name);
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
    EXPECT_NE(mciSendStringA(("open WaveAudio!" + pipe.string() + " alias X wait").c_str(), nullptr,
                             0, 0),
              0u);
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

}  // namespace
