// Which instruments stay in memory: those of the songs open, pinned when a song opens.
#include <malloc.h>

#include <algorithm>

#include "platform/audio/midi_synth.h"
#include "platform/audio/synth_log.h"

namespace audio {

std::optional<MidiSynth::PresetKey> MidiSynth::Resolve(const Preset& preset) const {
    fluid_sfont_t* font = fluid_synth_get_sfont_by_id(synth_, fontId_);
    if (font == nullptr) return std::nullopt;
    // The substitutes the synthesiser takes for a preset the soundfont lacks, in its order.
    const std::vector<PresetKey> choices =
        preset.bank == kDrumBank
            ? std::vector<PresetKey>{{kDrumBank, preset.program}, {kDrumBank, 0}}
            : std::vector<PresetKey>{{preset.bank, preset.program}, {0, preset.program}, {0, 0}};
    for (const PresetKey& key : choices)
        if (fluid_sfont_get_preset(font, key.first, key.second) != nullptr) return key;
    return std::nullopt;
}

std::vector<MidiSynth::PresetKey> MidiSynth::Pin(const std::vector<Preset>& presets) {
    std::lock_guard pinning(pinningMutex_);
    std::vector<PresetKey> wanted;
    {
        const SynthAccess::ControlTurn turn(access_);
        std::lock_guard lock(pinsMutex_);
        for (const Preset& preset : presets)
            if (const auto key = Resolve(preset)) wanted.push_back(*key);
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        // Released first, so that memory holds one song's instruments at a time, not two.
        ReleaseUnused(wanted);
    }
    // One instrument at a time, so that the audio thread goes without MIDI for one instrument's
    // samples at most, not for a whole song's.
    for (const PresetKey& key : wanted) {
        const SynthAccess::ControlTurn turn(access_);
        std::lock_guard lock(pinsMutex_);
        if (++pinCounts_[key] == 1) fluid_synth_pin_preset(synth_, fontId_, key.first, key.second);
    }
    FlushSynthLog();
    return wanted;
}

void MidiSynth::Unpin(const std::vector<PresetKey>& pinned) {
    std::lock_guard lock(pinsMutex_);
    for (const PresetKey& key : pinned) --pinCounts_[key];
}

// A channel left holding an unused preset would free its samples on the audio thread at its
// next program change, so such channels let go of it here first.
void MidiSynth::ReleaseUnused(const std::vector<PresetKey>& wanted) {
    std::vector<PresetKey> unused;
    for (const auto& [key, count] : pinCounts_)
        if (count == 0 && !std::binary_search(wanted.begin(), wanted.end(), key))
            unused.push_back(key);
    if (unused.empty()) return;
    for (int channel = 0; channel < 16 * kBlocks; ++channel) {
        fluid_preset_t* selected = fluid_synth_get_channel_preset(synth_, channel);
        if (selected == nullptr) continue;
        const PresetKey key{fluid_preset_get_banknum(selected), fluid_preset_get_num(selected)};
        if (std::find(unused.begin(), unused.end(), key) != unused.end())
            fluid_synth_unset_program(synth_, channel);
    }
    for (const PresetKey& key : unused) {
        fluid_synth_unpin_preset(synth_, fontId_, key.first, key.second);
        pinCounts_.erase(key);
    }
    // Samples are large blocks in the middle of the heap; hand their pages back.
    malloc_trim(0);
}

PinnedPresets::PinnedPresets(std::shared_ptr<MidiSynth> synth, const std::vector<Preset>& presets)
    : synth_(std::move(synth)), pinned_(synth_->Pin(presets)) {}

PinnedPresets::~PinnedPresets() {
    synth_->Unpin(pinned_);
}

}  // namespace audio
