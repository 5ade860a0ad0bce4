#pragma once
// What a test hears in a saved recording.
#include <filesystem>

namespace sound_files {

// The frequency of the tone in the first channel of a 16-bit PCM WAVE file, from the rate of
// its rising zero crossings over the stretch that is not silent; 0 when it is all silent.
double ToneHz(const std::filesystem::path& wave);

}  // namespace sound_files
