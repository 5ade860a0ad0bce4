#pragma once
// FluidSynth keeps one sample cache for the whole process, keyed by file and sample. A
// synthesiser of our own, never rendered, reads a song's instruments into that cache while the
// shared synthesiser goes on playing; the shared one then only takes the samples from the cache,
// so the audio thread goes without it for moments instead of for the reading of a song.
#include <fluidsynth.h>

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/audio/midi_presets.h"

namespace audio {

using PresetKey = std::pair<int, int>;  // bank, program as the soundfont has them

// The presets `font` selects for `presets` (each itself, or its substitute when the font lacks
// it), sorted, each once.
std::vector<PresetKey> ResolvePresets(fluid_sfont_t* font, const std::vector<Preset>& presets);

class SamplePreload {
  public:
    // Reads the samples of the presets `soundfont` selects for `presets`; they stay in the cache
    // for the object's lifetime, and after it for as long as another synthesiser holds them.
    SamplePreload(const std::filesystem::path& soundfont, const std::vector<Preset>& presets);
    ~SamplePreload();
    SamplePreload(const SamplePreload&) = delete;
    SamplePreload& operator=(const SamplePreload&) = delete;

    // Whether the soundfont loaded; if not, nothing was read.
    bool Loaded() const { return loaded_; }
    // What ResolvePresets gives on this soundfont.
    const std::vector<PresetKey>& Resolved() const { return resolved_; }

  private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    bool loaded_ = false;
    std::vector<PresetKey> resolved_;
};

}  // namespace audio
