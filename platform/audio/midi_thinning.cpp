#include "platform/audio/midi_thinning.h"

#include <array>
#include <bitset>
#include <cstdint>

namespace audio {

namespace {

struct ChannelWindow {
    std::int64_t ms = -1;
    int noteOns = 0;
    int controls = 0;
    std::int64_t instantUs = -1;
    std::bitset<128> struckAtInstant;
    std::array<int, 128> sounding{};  // note-ons kept and not yet ended, per key
};

bool Keep(ChannelWindow& channel, const MidiEvent& event) {
    if (channel.ms != event.timeUs / 1000) {
        channel.ms = event.timeUs / 1000;
        channel.noteOns = channel.controls = 0;
    }
    if (channel.instantUs != event.timeUs) {
        channel.instantUs = event.timeUs;
        channel.struckAtInstant.reset();
    }
    const int kind = event.status & 0xF0;
    const bool noteOn = kind == 0x90 && event.data2 > 0;
    const bool noteOff = kind == 0x80 || (kind == 0x90 && event.data2 == 0);
    if (noteOn) {
        if (channel.noteOns == kMaxNoteOnsPerChannelMs || channel.struckAtInstant.test(event.data1))
            return false;
        ++channel.noteOns;
        channel.struckAtInstant.set(event.data1);
        ++channel.sounding[event.data1];
        return true;
    }
    if (noteOff) {
        if (channel.sounding[event.data1] == 0) return false;
        --channel.sounding[event.data1];
        return true;
    }
    return channel.controls++ < kMaxControlsPerChannelMs;
}

}  // namespace

void ThinFloods(std::vector<MidiEvent>& events) {
    std::array<ChannelWindow, 16> channels{};
    std::size_t count = 0;
    for (const MidiEvent& event : events)
        if (Keep(channels[event.status & 0x0F], event)) events[count++] = event;
    events.resize(count);
}

}  // namespace audio
