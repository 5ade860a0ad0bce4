#include "platform/audio/sample_preload.h"

#include <algorithm>

#include "platform/audio/synth_reads.h"

namespace audio {

std::vector<PresetKey> ResolvePresets(fluid_sfont_t* font, const std::vector<Preset>& presets) {
    std::vector<PresetKey> resolved;
    for (const Preset& preset : presets) {
        // The substitutes the synthesiser takes for a preset the soundfont lacks, in its order.
        const std::vector<PresetKey> choices =
            preset.bank == kDrumBank
                ? std::vector<PresetKey>{{kDrumBank, preset.program}, {kDrumBank, 0}}
                : std::vector<PresetKey>{
                      {preset.bank, preset.program}, {0, preset.program}, {0, 0}};
        const auto found = std::find_if(choices.begin(), choices.end(), [&](const PresetKey& key) {
            return fluid_sfont_get_preset(font, key.first, key.second) != nullptr;
        });
        if (found != choices.end()) resolved.push_back(*found);
    }
    std::sort(resolved.begin(), resolved.end());
    resolved.erase(std::unique(resolved.begin(), resolved.end()), resolved.end());
    return resolved;
}

SamplePreload::SamplePreload(const std::filesystem::path& soundfont,
                             const std::vector<Preset>& presets) {
    settings_ = new_fluid_settings();
    if (!settings_) return;
    // Samples only: as few voices, channels and effects as FluidSynth allows, since it never
    // plays.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    fluid_settings_setint(settings_, "synth.polyphony", 1);
    fluid_settings_setint(settings_, "synth.midi-channels", 16);
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    fluid_settings_setint(settings_, "synth.reverb.active", 0);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) return;
    if (fluid_sfloader_t* loader = NewCountingLoader(settings_))
        fluid_synth_add_sfloader(synth_, loader);
    const int font = fluid_synth_sfload(synth_, soundfont.c_str(), 0);
    if (font == FLUID_FAILED) return;
    loaded_ = true;
    resolved_ = ResolvePresets(fluid_synth_get_sfont_by_id(synth_, font), presets);
    for (const auto& [bank, program] : resolved_)
        fluid_synth_pin_preset(synth_, font, bank, program);
}

SamplePreload::~SamplePreload() {
    if (synth_) delete_fluid_synth(synth_);
    if (settings_) delete_fluid_settings(settings_);
}

}  // namespace audio
