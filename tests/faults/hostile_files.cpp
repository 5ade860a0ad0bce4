#include "tests/faults/hostile_files.h"

#include <random>

#include "tests/support/sound_files.h"

namespace faults {

namespace {

using sound_files::MakeSmf;
using sound_files::MakeWave;
using sound_files::MidiTrack;

std::string RandomBytes(std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    return bytes;
}

// Rewrites four little-endian bytes at `offset`.
std::string Patched32(std::string bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::string Patched16(std::string bytes, std::size_t offset, std::uint16_t value) {
    bytes[offset] = static_cast<char>(value);
    bytes[offset + 1] = static_cast<char>(value >> 8);
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

}  // namespace

std::vector<HostileFile> HostileFiles() {
    const std::string wave = sound_files::ToneWave(300);
    const std::string song = sound_files::NoteSong(2);
    constexpr std::size_t kChannelsAt = 22, kRateAt = 24, kBitsAt = 34, kRiffSizeAt = 4;
    return {
        {"empty.mid", "", Outcome::Refused},
        {"empty.wav", "", Outcome::Refused},
        {"header only.mid", song.substr(0, 14), Outcome::Refused},
        {"header only.wav", wave.substr(0, 20), Outcome::Refused},
        {"riff longer than file.wav", Patched32(wave, kRiffSizeAt, 0x7FFFFFF0), Outcome::Plays},
        {"no tracks.mid", MidiHeaderClaimingTracks(0), Outcome::Refused},
        {"claims 65535 tracks.mid", MidiHeaderClaimingTracks(65535), Outcome::PlaysOrRefused},
        {"no channels.wav", Patched16(wave, kChannelsAt, 0), Outcome::Refused},
        {"a million hertz.wav", Patched32(wave, kRateAt, 1'000'000), Outcome::PlaysOrRefused},
        {"seven bits.wav", Patched16(wave, kBitsAt, 7), Outcome::PlaysOrRefused},
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

}  // namespace faults
