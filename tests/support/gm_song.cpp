#include "tests/support/gm_song.h"

#include <cstdint>
#include <vector>

#include "tests/support/sound_files.h"

namespace sound_files {

namespace {

constexpr std::uint32_t kQuarter = 480;  // 120 beats per minute: half a second
constexpr int kMelodicChannels = 8;
constexpr std::uint8_t kDrums = 9;
constexpr std::uint8_t kKitPieces[] = {35, 36, 38, 40, 42, 44, 46, 49, 51, 45, 48, 50, 39, 56};

std::uint8_t Status(int kind, int channel) {
    return std::uint8_t(kind | channel);
}

// One quarter note per beat, walking up a scale from `root`.
void Melody(MidiTrack& track, int channel, std::uint8_t root, int beats) {
    constexpr std::uint8_t kScale[] = {0, 2, 4, 5, 7, 9, 11, 12};
    for (int beat = 0; beat < beats; ++beat) {
        const auto key = std::uint8_t(root + kScale[beat % 8]);
        track.Event(0, {Status(0x90, channel), key, 90})
            .Event(kQuarter, {Status(0x80, channel), key, 0});
    }
}

}  // namespace

std::string MakeGmSong(int seconds, int variant) {
    const int beats = seconds * 2;
    MidiTrack tempo;
    tempo.Tempo(0, 500000).End(std::uint32_t(beats) * kQuarter);
    std::vector<MidiTrack> tracks = {tempo};
    for (int channel = 0; channel < kMelodicChannels; ++channel) {
        // Programs a family apart (piano, chromatic percussion, organ, ...), shifted per variant.
        const auto program = std::uint8_t((channel * 16 + variant * 5) % 128);
        MidiTrack track;
        if (channel == 1) track.Event(0, {Status(0xB0, channel), 0, 8});  // a variation bank
        track.Event(0, {Status(0xC0, channel), program});
        Melody(track, channel, std::uint8_t(48 + 3 * channel), beats / 2);
        track.Event(0, {Status(0xC0, channel), std::uint8_t((program + 8) % 128)});
        Melody(track, channel, std::uint8_t(48 + 3 * channel), beats - beats / 2);
        tracks.push_back(track.End(0));
    }
    MidiTrack drums;
    drums.Event(0, {Status(0xC0, kDrums), std::uint8_t(variant % 2 == 0 ? 0 : 16)});
    for (int beat = 0; beat < beats; ++beat) {
        const std::uint8_t piece = kKitPieces[beat % std::size(kKitPieces)];
        drums.Event(0, {Status(0x90, kDrums), piece, 100})
            .Event(0, {Status(0x90, kDrums), 42, 80})
            .Event(kQuarter, {Status(0x80, kDrums), piece, 0})
            .Event(0, {Status(0x80, kDrums), 42, 0});
    }
    tracks.push_back(drums.End(0));
    return MakeSmf(1, kQuarter, tracks);
}

}  // namespace sound_files
