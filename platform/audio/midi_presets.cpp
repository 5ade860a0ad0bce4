#include "platform/audio/midi_presets.h"

#include <algorithm>
#include <array>

namespace audio {

namespace {

constexpr int kBankSelect = 0;

// The synthesiser takes the bank from the last bank select (its coarse part only) when a
// program changes; on the drum channel the bank is always the percussion bank. A seek sends
// the bank select and the program as they stand, so a bank select after a program change
// counts too.
struct ChannelSelection {
    int bank = 0;
    int program = 0;
};

}  // namespace

std::bitset<16> ChannelsOnFirstInstrument(const MidiSong& song) {
    std::bitset<16> chosen;
    std::bitset<16> playing;
    for (const MidiEvent& event : song.events) {
        const int index = event.status & 0x0F;
        const int kind = event.status & 0xF0;
        if (kind == 0xC0)
            chosen.set(index);
        else if (kind == 0x90 && event.data2 > 0 && !chosen.test(index))
            playing.set(index);
    }
    return playing;
}

std::vector<Preset> PresetsUsed(const MidiSong& song) {
    // The channels a seek gives an instrument: those playing their first, and any from its
    // first program change on.
    std::bitset<16> selecting = ChannelsOnFirstInstrument(song);
    std::array<ChannelSelection, 16> channels{};
    const auto selection = [&](int index) {
        return index == kDrumChannel ? Preset{kDrumBank, channels[index].program}
                                     : Preset{channels[index].bank, channels[index].program};
    };
    std::vector<Preset> presets;
    for (int index = 0; index < 16; ++index)
        if (selecting.test(index)) presets.push_back(selection(index));
    for (const MidiEvent& event : song.events) {
        const int index = event.status & 0x0F;
        ChannelSelection& channel = channels[index];
        const int kind = event.status & 0xF0;
        if (kind == 0xB0 && event.data1 == kBankSelect) {
            channel.bank = event.data2;
        } else if (kind == 0xC0) {
            channel.program = event.data1;
            selecting.set(index);
        } else {
            continue;
        }
        if (selecting.test(index)) presets.push_back(selection(index));
    }
    std::sort(presets.begin(), presets.end());
    presets.erase(std::unique(presets.begin(), presets.end()), presets.end());
    return presets;
}

}  // namespace audio
