#pragma once
// Standard MIDI Files (format 0 and 1) and RIFF RMID files, read into one time-ordered list of
// channel messages with exact times in microseconds (the tempo map already applied).
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace audio {

struct MidiEvent {
    std::int64_t timeUs;
    std::uint8_t status;  // a channel message: 0x80..0xEF
    std::uint8_t data1;
    std::uint8_t data2;
};

struct MidiSong {
    std::vector<MidiEvent> events;  // in time order; equal times keep track and file order
    std::int64_t lengthUs = 0;      // the end of the longest track
};

enum class MidiParseError { None, InvalidFormat, TooLarge };

struct MidiParseResult {
    MidiSong song;
    MidiParseError error = MidiParseError::None;
    std::string detail;
};

// Limits that keep a hostile file from taking unbounded time or memory.
inline constexpr std::size_t kMaxMidiFileBytes = 32 << 20;
inline constexpr std::size_t kMaxMidiEvents = 2'000'000;
inline constexpr std::int64_t kMaxMidiLengthUs = 24LL * 3600 * 1'000'000;

// A file with no note that starts before its end (one cut short before its first note, say)
// is InvalidFormat. Floods of messages are thinned (see midi_thinning.h).
MidiParseResult ParseMidi(std::string_view bytes);

}  // namespace audio
