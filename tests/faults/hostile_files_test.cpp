// The real program, on the real media service and the silent output, double-clicking its way
// through a folder of hostile files: each plays or is refused with a message, and the window
// is still there to take the next one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "tests/faults/real_window_fixture.h"
#include "tests/support/sound_files.h"

namespace {

enum class Outcome {
    Plays,           // opens and plays what it holds
    Refused,         // the open fails with an MCI error box
    PlaysOrRefused,  // either, as long as nothing hangs or crashes
};

struct HostileFile {
    std::string name;
    std::string bytes;
    Outcome outcome;
};

using sound_files::MakeSmf;
using sound_files::MakeWave;
using sound_files::MidiTrack;

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

// Rewrites `size` little-endian bytes at `offset`.
std::string Patched(std::string bytes, std::size_t offset, std::uint32_t value, int size = 4) {
    for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string MidiHeaderClaimingTracks(std::uint16_t tracks) {
    std::string song = sound_files::NoteSong(2);
    song[10] = static_cast<char>(tracks >> 8);  // MThd's track count is big-endian
    song[11] = static_cast<char>(tracks);
    return song;
}

// Every note of the song at one instant, as many as the file holds.
std::string NotesAtOneInstant(int count) {
    MidiTrack track;
    for (int i = 0; i < count; ++i) track.Event(0, {0x90, static_cast<std::uint8_t>(i % 128), 100});
    track.End(480);
    return MakeSmf(0, 480, {track});
}

std::string TwoMillionEvents() {
    MidiTrack track;
    for (int i = 0; i < 1'000'000; ++i) {
        track.Event(1, {0x90, 60, 1});
        track.Event(1, {0x80, 60, 0});
    }
    track.End(0);
    return MakeSmf(0, 480, {track});
}

std::vector<HostileFile> HostileFiles() {
    const std::string wave = sound_files::ToneWave(300);
    const std::string song = sound_files::NoteSong(2);
    constexpr std::size_t kChannelsAt = 22, kRateAt = 24, kBitsAt = 34, kRiffSizeAt = 4;
    return {
        {"empty.mid", "", Outcome::Refused},
        {"empty.wav", "", Outcome::Refused},
        {"header only.mid", song.substr(0, 14), Outcome::Refused},
        {"header only.wav", wave.substr(0, 20), Outcome::Refused},
        {"riff longer than file.wav", Patched(wave, kRiffSizeAt, 0x7FFFFFF0), Outcome::Plays},
        {"no tracks.mid", MidiHeaderClaimingTracks(0), Outcome::Refused},
        {"claims 65535 tracks.mid", MidiHeaderClaimingTracks(65535), Outcome::PlaysOrRefused},
        {"no channels.wav", Patched(wave, kChannelsAt, 0, 2), Outcome::Refused},
        {"a million hertz.wav", Patched(wave, kRateAt, 1'000'000), Outcome::PlaysOrRefused},
        {"seven bits.wav", Patched(wave, kBitsAt, 7, 2), Outcome::PlaysOrRefused},
        {"random.mid", RandomBytes(4096, 1), Outcome::Refused},
        {"random.wav", RandomBytes(4096, 2), Outcome::Refused},
        {"chord of 65535.mid", NotesAtOneInstant(65535), Outcome::PlaysOrRefused},
        {"two million events.mid", TwoMillionEvents(), Outcome::PlaysOrRefused},
        {"float nan.wav",
         MakeWave({.formatTag = 3,
                   .bits = 32,
                   .frames = 2000,
                   .amplitude = std::numeric_limits<double>::quiet_NaN()}),
         Outcome::Plays},
        {"with spaces and 'quotes'.wav", wave, Outcome::Plays},
        {"bang!.mid", song, Outcome::Plays},
        {"Grüße aus Köln.wav", wave, Outcome::Plays},
        {std::string(251, 'n') + ".mid", song, Outcome::Plays},
    };
}

class HostileFolder : public faults::RealWindowTest {
  protected:
    HostileFolder() {
        for (const auto& file : HostileFiles()) folder.Write("hostile/" + file.name, file.bytes);
        Start();
    }

    ~HostileFolder() override { form->UnloadForm(); }
};

TEST_F(HostileFolder, EveryFilePlaysOrIsRefused) {
    ShowFolder("hostile");
    for (const auto& file : HostileFiles()) {
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
