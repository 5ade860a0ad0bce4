// With no sound output and no usable soundfont, sounds play silently, songs get the error box, the
// missing output is said once, and no file but the settings is written; in a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#include "platform/audio/midi_synth.h"
#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSilentNote = "playing silently";

// The soundfont folder is empty; damaged fonts fail to load alike, as the synthesiser's tests show.
class FirstUse : public faults::RealWindowTest {
  protected:
    static void SetUpTestSuite() {
        // No SDL audio driver goes by this name, as on a machine without sound hardware.
        setenv("SDL_AUDIODRIVER", "corvala-no-such-driver", 1);
        // Captured for the whole suite: the engine speaks once, at its start.
        testing::internal::CaptureStderr();
    }

    static void TearDownTestSuite() {
        const std::string said = testing::internal::GetCapturedStderr();
        std::cerr << said;
        std::size_t notes = 0;
        for (auto at = said.find(kSilentNote); at != std::string::npos;
             at = said.find(kSilentNote, at + 1))
            ++notes;
        EXPECT_EQ(notes, 1u) << "the missing output is said once, at the engine's start";
    }

    FirstUse() {
        folder.Write("music/tune.mid", sound_files::NoteSong(1));
        folder.Write("music/beep.wav", sound_files::ToneWave(300));
        folder.MakeFolder("fonts");
    }
};

TEST_F(FirstUse, SongsAreRefusedWithABoxAndSoundsStillPlay) {
    if (audio::MidiSynth::Loaded()) GTEST_SKIP() << "a soundfont is loaded in this process";
    audio::MidiSynth::UseSoundfontDirectory(folder.path() / "fonts");
    Start();
    ShowFolder("music");
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Result song = DoubleClick("tune.mid");
        EXPECT_FALSE(song.playing);
        EXPECT_TRUE(song.boxShown);
        const Result sound = DoubleClick("beep.wav");
        EXPECT_TRUE(sound.playing);
        EXPECT_FALSE(sound.boxShown);
    }
    form->UnloadForm();
    // No log file beside the settings, whatever went wrong.
    for (const auto& entry : fs::recursive_directory_iterator(folder.path() / "settings"))
        EXPECT_TRUE(entry.is_directory() || entry.path() == settings.File()) << entry.path();
}

}  // namespace
