// Damaged and hostile songs: files cut short, a flood of notes at one instant, and the most
// events a file may hold. A cut file plays what it holds or is refused; every command ends in
// bounded time, and the synthesiser's complaints reach standard error at most once per cause.
// Pulled through the offline sink, so the work is timed on this thread and not hidden in a
// real-time one.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "platform/audio/engine.h"
#include "platform/audio/midi_file.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/player.h"
#include "platform/audio/synth_reads.h"
#include "stderr_lines.h"
#include "tests/support/eventually.h"
#include "tests/support/gm_song.h"
#include "tests/support/sound_files.h"
#include "tests/support/temp_folder.h"

namespace {

using sound_files::MidiTrack;
using Clock = std::chrono::steady_clock;

constexpr auto kCommandLimit = std::chrono::seconds(2);

class HostileMidiTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(audio::Engine::ChooseSink("offline")); }

    // Runs `command` and returns how long it took.
    static Clock::duration Timed(const std::function<void()>& command) {
        const auto start = Clock::now();
        command();
        return Clock::now() - start;
    }

    static void PullSeconds(double seconds) {
        std::vector<float> block(2 * 512);
        for (int frame = 0; frame < seconds * 44100; frame += 512)
            ASSERT_TRUE(audio::Engine::Shared().Pull(block.data(), 512));
    }

    test_support::TempFolder dir_;
};

TEST_F(HostileMidiTest, ACutFilePlaysWhatItHoldsOrIsRefused) {
    const std::string whole = sound_files::NoteSong(8);  // a note every 500 ms
    constexpr std::size_t kBeforeTheFirstNote = 25;
    constexpr std::size_t kAfterThreeNotes = 25 + 3 * 9;
    const auto nothing =
        audio::LoadMidiFile(dir_.Write("a.mid", whole.substr(0, kBeforeTheFirstNote)));
    EXPECT_EQ(nothing.error, audio::LoadError::InvalidFormat);

    const auto some = audio::LoadMidiFile(dir_.Write("b.mid", whole.substr(0, kAfterThreeNotes)));
    ASSERT_TRUE(some.clip) << some.detail;
    EXPECT_EQ(some.clip->LengthMs(), 1500);
    audio::Player player(some.clip);
    player.Play(std::nullopt, std::nullopt, false);
    std::vector<float> mix(2 * 44100);
    ASSERT_TRUE(audio::Engine::Shared().Pull(mix.data(), 44100));
    EXPECT_GT(sound_files::Peak(mix), 0.01f);
    PullSeconds(0.6);
    EXPECT_EQ(player.State(), audio::PlayState::Stopped);
}

// 65,535 note-ons at one instant on one channel, cycling through the keys: 196 KB.
std::string NoteFlood() {
    MidiTrack track;
    track.Event(0, {0x90, 0, 100});
    for (int i = 1; i < 65535; ++i) track.Event(0, {std::uint8_t(i % 128), 100});
    return sound_files::MakeSmf(0, 480, {track.End(480)});
}

TEST_F(HostileMidiTest, ANoteFloodOpensPlaysAndStopsPromptlyAndQuietly) {
    const auto flood = dir_.Write("flood.mid", NoteFlood());
    testing::internal::CaptureStderr();
    std::shared_ptr<const audio::Clip> clip;
    EXPECT_LT(Timed([&] { clip = audio::LoadMidiFile(flood).clip; }), kCommandLimit);
    ASSERT_TRUE(clip);
    audio::Player player(clip);
    EXPECT_LT(Timed([&] {
                  player.Play(std::nullopt, std::nullopt, false);
                  PullSeconds(0.5);
              }),
              kCommandLimit);
    EXPECT_LT(Timed([&] { player.Stop(); }), kCommandLimit);
    EXPECT_LT(Timed([&] { PullSeconds(0.1); }), kCommandLimit);
    // Opening again writes out what the synthesiser logged while playing.
    EXPECT_TRUE(audio::LoadMidiFile(flood).clip);
    const auto lines = audio_test::CapturedStderrLines();
    EXPECT_EQ(std::set(lines.begin(), lines.end()).size(), lines.size());
    EXPECT_LE(lines.size(), 4u);
}

// A million short notes: as many events as a file may hold.
std::string LargestSong() {
    MidiTrack track;
    track.Event(0, {0x90, 60, 100}).Event(1, {0x80, 60, 0});
    for (std::size_t i = 2; i < audio::kMaxMidiEvents; i += 2)
        track.Event(1, {0x90, std::uint8_t(i % 128), 100})
            .Event(1, {0x80, std::uint8_t(i % 128), 0});
    return sound_files::MakeSmf(0, 480, {track.End(0)});
}

TEST_F(HostileMidiTest, TheLargestSongAllowedOpensAndSeeksInBoundedTime) {
    const auto song = dir_.Write("large.mid", LargestSong());
    std::shared_ptr<const audio::Clip> clip;
    EXPECT_LT(Timed([&] { clip = audio::LoadMidiFile(song).clip; }), std::chrono::seconds(30));
    ASSERT_TRUE(clip);
    audio::Player player(clip);
    EXPECT_LT(Timed([&] {
                  player.Play(clip->LengthMs() - 1000, std::nullopt, false);
                  PullSeconds(0.1);
              }),
              kCommandLimit);
}

// Ten seconds of notes struck every 50 ms on four melodic channels and the drums; from the
// fourth second on, each step also changes every channel's bank (among them those a General
// MIDI font lacks, and the high ones kits sit in) and program.
std::string ChangingSong() {
    constexpr std::uint8_t kBanks[] = {0, 8, 16, 120, 127, 1};
    MidiTrack track;
    for (int step = 0; step < 200; ++step) {
        for (int channel : {0, 1, 2, 3, 9}) {
            const auto status = std::uint8_t(channel);
            if (step >= 80) {
                track.Event(0, {std::uint8_t(0xB0 | status), 0, kBanks[(step + channel) % 6]});
                track.Event(0, {std::uint8_t(0xC0 | status),
                                std::uint8_t((step * 7 + channel * 13) % 128)});
            }
            const auto key =
                std::uint8_t(channel == 9 ? 36 + step % 20 : 48 + 5 * channel + step % 12);
            track.Event(0, {std::uint8_t(0x90 | status), key, 100});
        }
        for (int channel : {0, 1, 2, 3, 9})
            track.Event(
                channel == 0 ? 48 : 0,
                {std::uint8_t(0x80 | channel),
                 std::uint8_t(channel == 9 ? 36 + step % 20 : 48 + 5 * channel + step % 12), 0});
    }
    return sound_files::MakeSmf(0, 480, {track.End(0)});
}

TEST_F(HostileMidiTest, ChangingBankAndProgramMidSongLoadsNothingWhilePlayingNorDropsOut) {
    const auto song = audio::LoadMidiFile(dir_.Write("changing.mid", ChangingSong()));
    ASSERT_TRUE(song.clip) << song.detail;
    const long readsBefore = audio::SoundfontReadsOnAudioThread();
    audio::Player player(song.clip);
    player.Play(std::nullopt, std::nullopt, false);
    std::vector<float> block(2 * 512);
    for (int frame = 0; frame < 9 * 44100; frame += 512) {
        ASSERT_TRUE(audio::Engine::Shared().Pull(block.data(), 512));
        if (frame < 4410) continue;
        ASSERT_GT(sound_files::Peak(block), 0.0f) << "silent at frame " << frame;
    }
    EXPECT_EQ(audio::SoundfontReadsOnAudioThread(), readsBefore);
}

// Another song may be playing: the instruments are read before the synthesiser is taken from it.
TEST_F(HostileMidiTest, ASongReadsItsInstrumentsWhileTheSynthesiserIsPlaying) {
    ASSERT_TRUE(audio::LoadMidiFile(dir_.Write("gm.mid", sound_files::MakeGmSong(1, 0))).clip);
    auto& synth = *audio::MidiSynth::Shared(nullptr, nullptr);
    std::optional<audio::SynthAccess::AudioTurn> playing(std::in_place, synth.Access());
    const long readsBefore = audio::SoundfontReads();
    std::thread opening([&] { audio::LoadMidiFile(dir_.Write("changing.mid", ChangingSong())); });
    EXPECT_TRUE(test_support::Eventually([&] { return audio::SoundfontReads() > readsBefore; }));
    playing.reset();
    opening.join();
}

}  // namespace
