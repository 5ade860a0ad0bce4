// Which instruments stay in memory: those of the songs open, pinned when a song opens.
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <optional>

#include "platform/audio/address_space.h"
#include "platform/audio/engine.h"
#include "platform/audio/midi_synth.h"
#include "platform/audio/sample_preload.h"
#include "platform/audio/synth_log.h"

namespace audio {

std::vector<PresetKey> MidiSynth::Pin(const std::vector<Preset>& presets) {
    std::lock_guard pinning(pinningMutex_);
    RequireRoomForSoundfont(soundfont_);
    // Another song can play only if one is open, and none opens while this Pin runs. With none,
    // the synthesiser reads the samples itself, sparing the preload's second reading of the
    // soundfont's index, which is most of an open.
    const bool besideASong = AnySongOpen();
    // Pulled by hand, the mix has no periods for the turns to fall between.
    const bool betweenPeriods = besideASong && Engine::Shared().SharedMixer()->Clocked();
    // Read while the audio thread keeps the synthesiser; taken from the cache below.
    std::optional<SamplePreload> preload;
    if (besideASong) preload.emplace(soundfont_, presets);
    std::vector<PresetKey> wanted;
    bool released = false;
    {
        const SynthAccess::ControlTurn turn(access_, betweenPeriods);
        std::lock_guard lock(pinsMutex_);
        // Without a preload, or should the font not load a second time, they are resolved here.
        wanted = preload && preload->Loaded()
                     ? preload->Resolved()
                     : ResolvePresets(fluid_synth_get_sfont_by_id(synth_, fontId_), presets);
        // Released before the new ones are taken, so that the synthesiser holds one song's
        // instruments at a time; two songs' are in memory only while one opens.
        released = ReleaseUnused(wanted);
    }
    // Samples are large blocks in the middle of the heap; hand their pages back, outside the
    // turn since it walks the whole heap.
    if (released) malloc_trim(0);
    // A few instruments a turn, as many as half a millisecond allows, so that each turn ends
    // before the audio thread wants the synthesiser again.
    for (auto key = wanted.begin(); key != wanted.end();) {
        const SynthAccess::ControlTurn turn(access_, betweenPeriods);
        std::lock_guard lock(pinsMutex_);
        const auto start = std::chrono::steady_clock::now();
        do {
            if (++pinCounts_[*key] == 1)
                fluid_synth_pin_preset(synth_, fontId_, key->first, key->second);
        } while (++key != wanted.end() &&
                 std::chrono::steady_clock::now() - start < std::chrono::microseconds(500));
    }
    FlushSynthLog();
    return wanted;
}

bool MidiSynth::AnySongOpen() {
    std::lock_guard lock(pinsMutex_);
    return std::any_of(pinCounts_.begin(), pinCounts_.end(),
                       [](const auto& pin) { return pin.second > 0; });
}

void MidiSynth::Unpin(const std::vector<PresetKey>& pinned) {
    std::lock_guard lock(pinsMutex_);
    for (const PresetKey& key : pinned) --pinCounts_[key];
}

// A channel left holding an unused preset would free its samples on the audio thread at its
// next program change, so such channels let go of it here first.
bool MidiSynth::ReleaseUnused(const std::vector<PresetKey>& wanted) {
    std::vector<PresetKey> unused;
    for (const auto& [key, count] : pinCounts_)
        if (count == 0 && !std::binary_search(wanted.begin(), wanted.end(), key))
            unused.push_back(key);
    if (unused.empty()) return false;
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
    return true;
}

PinnedPresets::PinnedPresets(std::shared_ptr<MidiSynth> synth, const std::vector<Preset>& presets)
    : synth_(std::move(synth)), pinned_(synth_->Pin(presets)) {}

PinnedPresets::~PinnedPresets() {
    synth_->Unpin(pinned_);
}

}  // namespace audio
