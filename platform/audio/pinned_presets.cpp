// Which instruments stay in memory: those of the songs open, pinned when a song opens.
#include <algorithm>

#include "platform/audio/midi_synth.h"
#include "platform/audio/synth_log.h"

namespace audio {

bool MidiSynth::PinOne(const PresetKey& preset) {
    if (const auto count = pinCounts_.find(preset); count != pinCounts_.end()) {
        ++count->second;
        return true;
    }
    // Looked up first: pinning a preset the soundfont lacks logs an error.
    fluid_sfont_t* font = fluid_synth_get_sfont_by_id(synth_, fontId_);
    if (font == nullptr || fluid_sfont_get_preset(font, preset.first, preset.second) == nullptr ||
        fluid_synth_pin_preset(synth_, fontId_, preset.first, preset.second) != FLUID_OK)
        return false;
    pinCounts_.emplace(preset, 1);
    return true;
}

std::vector<MidiSynth::PresetKey> MidiSynth::Pin(const std::vector<Preset>& presets) {
    std::lock_guard render(renderLock_);
    std::lock_guard lock(pinsMutex_);
    std::vector<PresetKey> pinned;
    for (const Preset& preset : presets) {
        // The substitutes the synthesiser takes for a preset the soundfont lacks, in its order.
        const bool drums = preset.bank == kDrumBank;
        const std::vector<PresetKey> choices =
            drums ? std::vector<PresetKey>{{kDrumBank, preset.program}, {kDrumBank, 0}}
                  : std::vector<PresetKey>{
                        {preset.bank, preset.program}, {0, preset.program}, {0, 0}};
        const auto chosen = std::find_if(choices.begin(), choices.end(),
                                         [this](const PresetKey& key) { return PinOne(key); });
        if (chosen != choices.end()) pinned.push_back(*chosen);
    }
    ReleaseUnused();
    FlushSynthLog();
    return pinned;
}

void MidiSynth::Unpin(const std::vector<PresetKey>& pinned) {
    std::lock_guard lock(pinsMutex_);
    for (const PresetKey& preset : pinned) --pinCounts_[preset];
}

// A channel left holding an unused preset would free its samples on the audio thread at its
// next program change, so such channels let go of it here first.
void MidiSynth::ReleaseUnused() {
    std::vector<PresetKey> unused;
    for (const auto& [preset, count] : pinCounts_)
        if (count == 0) unused.push_back(preset);
    if (unused.empty()) return;
    for (int channel = 0; channel < 16 * kBlocks; ++channel) {
        fluid_preset_t* selected = fluid_synth_get_channel_preset(synth_, channel);
        if (selected == nullptr) continue;
        const PresetKey key{fluid_preset_get_banknum(selected), fluid_preset_get_num(selected)};
        if (std::find(unused.begin(), unused.end(), key) != unused.end())
            fluid_synth_unset_program(synth_, channel);
    }
    for (const PresetKey& preset : unused) {
        fluid_synth_unpin_preset(synth_, fontId_, preset.first, preset.second);
        pinCounts_.erase(preset);
    }
}

PinnedPresets::PinnedPresets(std::shared_ptr<MidiSynth> synth, const std::vector<Preset>& presets)
    : synth_(std::move(synth)), pinned_(synth_->Pin(presets)) {}

PinnedPresets::~PinnedPresets() {
    synth_->Unpin(pinned_);
}

}  // namespace audio
