#include "song_generator.h"

#include <array>
#include <cstdint>

#include "tests/support/sound_files.h"

namespace audio_bench {

namespace {

constexpr std::uint32_t kQuarter = 480;
constexpr std::array<std::uint8_t, 4> kRoots = {48, 53, 55, 45};  // C F G A

sound_files::MidiTrack Instrument(std::uint8_t channel, std::uint8_t program) {
    sound_files::MidiTrack track;
    track.Event(0, {std::uint8_t(0xC0 | channel), program})
        .Event(0, {std::uint8_t(0xB0 | channel), 7, 100})
        .Event(0, {std::uint8_t(0xB0 | channel), 91, 60});
    return track;
}

// Holds `notes` together for `length` ticks, starting `delay` ticks after the previous event.
void Chord(sound_files::MidiTrack& track, std::uint8_t channel, std::uint32_t delay,
           std::initializer_list<std::uint8_t> notes, std::uint32_t length, std::uint8_t velocity) {
    for (std::uint8_t note : notes) {
        track.Event(delay, {std::uint8_t(0x90 | channel), note, velocity});
        delay = 0;
    }
    for (std::uint8_t note : notes) {
        track.Event(length, {std::uint8_t(0x80 | channel), note, 0});
        length = 0;
    }
}

}  // namespace

std::string MakeBusySong(int seconds) {
    const int bars = seconds / 2;  // a 4/4 bar lasts two seconds at 120 bpm
    sound_files::MidiTrack tempo;
    tempo.Tempo(0, 500000).End(std::uint32_t(bars) * 4 * kQuarter);
    auto piano = Instrument(0, 0);
    auto bass = Instrument(1, 33);
    auto strings = Instrument(2, 48);
    sound_files::MidiTrack drums;
    for (int bar = 0; bar < bars; ++bar) {
        const std::uint8_t root = kRoots[bar % kRoots.size()];
        for (int beat = 0; beat < 4; ++beat) {
            Chord(piano, 0, 0,
                  {std::uint8_t(root + 12), std::uint8_t(root + 16), std::uint8_t(root + 19)},
                  kQuarter, 80);
            Chord(bass, 1, 0, {std::uint8_t(root - 12)}, kQuarter / 2, 100);
            Chord(bass, 1, 0, {std::uint8_t(root - 5)}, kQuarter / 2, 90);
            for (int eighth = 0; eighth < 2; ++eighth)
                Chord(drums, 9, 0, {42, std::uint8_t(beat % 2 == 0 ? 36 : 38)}, kQuarter / 2, 100);
        }
        Chord(strings, 2, 0,
              {std::uint8_t(root + 24), std::uint8_t(root + 28), std::uint8_t(root + 31)},
              4 * kQuarter, 70);
    }
    return sound_files::MakeSmf(1, kQuarter,
                               {tempo, piano.End(0), bass.End(0), strings.End(0), drums.End(0)});
}

}  // namespace audio_bench
