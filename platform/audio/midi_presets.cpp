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

std::vector<Preset> PresetsUsed(const MidiSong& song) {
    std::vector<Preset> presets = {{0, 0}, {kDrumBank, 0}};
    std::array<ChannelSelection, 16> channels{};
    for (const MidiEvent& event : song.events) {
        const int index = event.status & 0x0F;
        ChannelSelection& channel = channels[index];
        const int kind = event.status & 0xF0;
        if (kind == 0xB0 && event.data1 == kBankSelect)
            channel.bank = event.data2;
        else if (kind == 0xC0)
            channel.program = event.data1;
        else
            continue;
        presets.push_back(index == kDrumChannel ? Preset{kDrumBank, channel.program}
                                                : Preset{channel.bank, channel.program});
    }
    std::sort(presets.begin(), presets.end());
    presets.erase(std::unique(presets.begin(), presets.end()), presets.end());
    return presets;
}

}  // namespace audio
