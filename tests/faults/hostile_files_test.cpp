// The real window on the real service plays every listed or handed file; hostile files and a
// vanished drive are refused with a message, and the window lives on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

using RealPlayback = faults::RealWindowTest;
using sound_files::Patched;

// Names differing only in case, with quotes, "!", "'", "\" and accents, near and 300 characters
// deep: each has its own length, so the length the device reports tells which file it opened.
TEST_F(RealPlayback, EachListedNameOpensItsOwnFileHoweverDeepItLies) {
    std::string deep = "music";
    for (int depth = 0; depth < 7; ++depth)
        deep += "/A folder name of some forty characters " + std::to_string(depth);
    const std::vector<std::string> folders = {"music", deep};
    const std::vector<std::string> names = {"Song.wav",         "song.wav",        "SONG.WAV",
                                            "say \"hi\" !.wav", "left\\right.wav", "Ärger über.wav",
                                            "wow!.wav",         "it's.wav"};
    int length = 100;
    std::map<std::string, std::string> lengthOf;  // Linux path -> milliseconds
    for (const std::string& where : folders) {
        for (const std::string& name : names) {
            const auto file = folder.Write(where + "/" + name, sound_files::ToneWave(length, 8000));
            lengthOf[file.string()] = std::to_string(length);
            length += 100;
        }
    }
    Start();
    for (const std::string& where : folders) {
        form->Directory1.Path(drives::ToWindows(folder.path() / where));
        ASSERT_EQ(form->WAVEs.ListCount(), static_cast<std::int16_t>(names.size()));
        for (const std::string& name : Listed(form->WAVEs)) {
            DoubleClick(name);
            const std::string file = (folder.path() / where / form->WAVEs.FileName()).string();
            EXPECT_EQ(Status("WAVE", "length"), lengthOf[file]) << file;
        }
    }
    EXPECT_TRUE(boxes.boxes.empty());
    form->UnloadForm();
}

// corvala FILE...: their folder is shown and each plays on the channel its extension picks.
TEST_F(RealPlayback, FilesGivenToTheWindowPlayFromTheirFolder) {
    folder.Write("music/sub/Lied.mid", sound_files::NoteSong(12));
    folder.Write("music/sub/tone.wav", sound_files::ToneWave(5000, 8000));
    form.emplace();
    ASSERT_TRUE(ShowActive(*form));
    form->OpenFiles({(folder.path() / "music/sub/Lied.mid").string(),
                     (folder.path() / "music/sub/tone.wav").string()});
    EXPECT_EQ(UCase(form->Directory1.Path()), "T:\\MUSIC\\SUB");
    EXPECT_EQ(form->MIDIs.FileName(), "Lied.mid");
    EXPECT_EQ(form->WAVEs.FileName(), "tone.wav");
    EXPECT_EQ(Status("MIDI"), "playing");
    EXPECT_EQ(Status("WAVE"), "playing");
    EXPECT_TRUE(boxes.boxes.empty());
    form->UnloadForm();
}

struct HostileFile {
    std::string name;
    std::string bytes;
    // Plays what it holds, or is refused with an MCI error box; empty: either, as long as
    // nothing hangs or crashes.
    std::optional<bool> plays;
};

std::vector<HostileFile> HostileFiles() {
    const std::string wave = sound_files::ToneWave(300);
    const std::string song = sound_files::NoteSong(2);
    constexpr std::size_t kChannelsAt = 22, kRateAt = 24, kBitsAt = 34;
    constexpr std::size_t kTracksAt = 10;  // MThd's, big-endian: 0 and 65535 read alike
    return {
        {"empty.wav", "", false},
        {"no tracks.mid", Patched(song, kTracksAt, 0, 2), false},
        {"claims 65535 tracks.mid", Patched(song, kTracksAt, 65535, 2), std::nullopt},
        {"no channels.wav", Patched(wave, kChannelsAt, 0, 2), false},
        {"a million hertz.wav", Patched(wave, kRateAt, 1'000'000), std::nullopt},
        {"seven bits.wav", Patched(wave, kBitsAt, 7, 2), std::nullopt},
        {std::string(251, 'n') + ".mid", song, true},
    };
}

// A pipe named like a sound hangs neither the list nor the service.
TEST_F(RealPlayback, EveryHostileFilePlaysOrIsRefusedAndAPipeIsNotListed) {
    for (const auto& file : HostileFiles()) folder.Write("hostile/" + file.name, file.bytes);
    const auto pipe = folder.path() / "hostile" / "pipe.wav";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    Start();
    ShowFolder("hostile");
    EXPECT_EQ(std::ranges::count(Listed(form->WAVEs), "pipe.wav"), 0);
    for (const auto& file : HostileFiles()) {
        SCOPED_TRACE(file.name);
        const Result result = DoubleClick(file.name);
        EXPECT_NE(result.playing, result.boxShown);
        EXPECT_TRUE(!file.plays || result.playing == *file.plays);
    }
    const std::string open = "open WaveAudio!" + pipe.string() + " alias X wait";
    EXPECT_NE(mciSendStringA(open.c_str(), nullptr, 0, 0), 0u);
    form->UnloadForm();
}

TEST_F(RealPlayback, ADriveThatVanishesWhileShown) {
    for (const char* place : {"music", "removable/songs"}) {
        folder.Write(std::string(place) + "/tune.mid", sound_files::NoteSong(1));
        folder.Write(std::string(place) + "/beep.wav", sound_files::ToneWave(300));
    }
    Start();
    form->Drive1.Drive("v");
    form->Directory1.Path("V:\\songs");
    ASSERT_EQ(Listed(form->WAVEs), std::vector<std::string>{"beep.wav"});
    std::filesystem::remove_all(folder.path() / "removable");

    const Result gone = DoubleClick("beep.wav");
    EXPECT_FALSE(gone.playing);
    EXPECT_TRUE(gone.boxShown) << "the file is gone with its drive";
    form->mnuSoundsRefresh.Action()->trigger();
    EXPECT_TRUE(Listed(form->WAVEs).empty());
    EXPECT_TRUE(Listed(form->MIDIs).empty());

    ShowFolder("music");
    EXPECT_TRUE(DoubleClick("beep.wav").playing);
    EXPECT_TRUE(DoubleClick("tune.mid").playing);
    form->UnloadForm();
}

}  // namespace
